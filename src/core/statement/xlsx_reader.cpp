#include "statement/xlsx_reader.h"

#include <zip.h>

#include <cstdlib>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "base/gbk.h"

namespace tallivan {

namespace {

// A part of the archive larger than this is refused rather than unpacked (a statement's sheet
// of a hundred thousand rows is a few tens of megabytes).
constexpr zip_uint64_t kLargestPart = 256u << 20;
// Columns beyond this are not a statement's.
constexpr std::size_t kMostColumns = 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

Archive openArchive(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (!source)
        return nullptr;
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    if (!archive)
        zip_source_free(source);
    return Archive(archive);
}

// The whole content of a part, or nothing when it is missing, too large or damaged.
std::optional<std::string> readPart(zip_t* archive, const std::string& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > kLargestPart)
        return std::nullopt;
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (!file)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t read = zip_fread(file, content.data(), stat.size);
    zip_fclose(file);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
        return std::nullopt;
    return content;
}

// An element's name without its namespace prefix.
std::string_view localName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (localName(c) == name)
            return c;
    }
    return {};
}

// The text of a string item: its <t>, or the <t> of each of its rich-text runs.
std::string itemText(const pugi::xml_node& item) {
    std::string text;
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (localName(c) == "t")
            text += c.text().get();
        else if (localName(c) == "r")
            text += child(c, "t").text().get();
    }
    return text;
}

std::vector<std::string> sharedStrings(zip_t* archive) {
    std::vector<std::string> strings;
    const std::optional<std::string> part = readPart(archive, "xl/sharedStrings.xml");
    pugi::xml_document doc;
    if (!part || !doc.load_buffer(part->data(), part->size()))
        return strings;
    const pugi::xml_node table = child(doc, "sst");
    for (pugi::xml_node item = table.first_child(); item; item = item.next_sibling()) {
        if (localName(item) == "si")
            strings.push_back(itemText(item));
    }
    return strings;
}

// The part of the workbook's first sheet: named by the workbook and its relations, else the
// usual name.
std::string firstSheetPart(zip_t* archive) {
    const std::string fallback = "xl/worksheets/sheet1.xml";
    const std::optional<std::string> book = readPart(archive, "xl/workbook.xml");
    const std::optional<std::string> relations = readPart(archive, "xl/_rels/workbook.xml.rels");
    pugi::xml_document bookDoc;
    pugi::xml_document relationsDoc;
    if (!book || !relations || !bookDoc.load_buffer(book->data(), book->size()) ||
        !relationsDoc.load_buffer(relations->data(), relations->size()))
        return fallback;
    const pugi::xml_node sheet = child(child(child(bookDoc, "workbook"), "sheets"), "sheet");
    std::string id;
    for (const pugi::xml_attribute& a : sheet.attributes()) {
        const std::string_view name = a.name();
        if (name == "r:id" || name.ends_with(":id"))
            id = a.value();
    }
    for (pugi::xml_node r = child(relationsDoc, "Relationships").first_child(); r;
         r = r.next_sibling()) {
        if (id.empty() || r.attribute("Id").value() != id)
            continue;
        const std::string target = r.attribute("Target").value();
        if (target.starts_with("/"))
            return target.substr(1);
        return "xl/" + target;
    }
    return fallback;
}

// The column of a cell reference ("C12" is 2), or nothing.
std::optional<std::size_t> columnOf(std::string_view reference) {
    std::size_t column = 0;
    std::size_t letters = 0;
    for (char c : reference) {
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3)
            return std::nullopt;
    }
    if (letters == 0 || column > kMostColumns)
        return std::nullopt;
    return column - 1;
}

std::string cellText(const pugi::xml_node& cell, const std::vector<std::string>& strings) {
    const std::string_view type = cell.attribute("t").value();
    if (type == "inlineStr")
        return itemText(child(cell, "is"));
    const std::string value = child(cell, "v").text().get();
    if (type == "s") {
        const unsigned long index = std::strtoul(value.c_str(), nullptr, 10);
        return index < strings.size() ? strings[index] : std::string();
    }
    if (type == "b")
        return value == "1" ? "TRUE" : "FALSE";
    return value;
}

}  // namespace

bool looksLikeXlsx(std::string_view bytes) {
    return bytes.starts_with(std::string_view("PK\x03\x04", 4));
}

std::optional<std::vector<StatementLine>> readXlsx(std::string_view bytes) {
    const Archive archive = openArchive(bytes);
    if (!archive)
        return std::nullopt;
    const std::vector<std::string> strings = sharedStrings(archive.get());
    const std::optional<std::string> sheet = readPart(archive.get(), firstSheetPart(archive.get()));
    pugi::xml_document doc;
    if (!sheet || !doc.load_buffer(sheet->data(), sheet->size()))
        return std::nullopt;
    const pugi::xml_node data = child(child(doc, "worksheet"), "sheetData");
    if (!data)
        return std::nullopt;
    std::vector<StatementLine> lines;
    int number = 0;
    for (pugi::xml_node row = data.first_child(); row; row = row.next_sibling()) {
        if (localName(row) != "row")
            continue;
        StatementLine line;
        const int stated = row.attribute("r").as_int(0);
        line.number = stated > number ? stated : number + 1;
        number = line.number;
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
            if (localName(cell) != "c")
                continue;
            // A cell without a reference follows the one before it.
            const std::optional<std::size_t> column = cell.attribute("r")
                                                          ? columnOf(cell.attribute("r").value())
                                                          : std::optional(line.cells.size());
            if (!column || *column >= kMostColumns)
                continue;
            if (line.cells.size() <= *column)
                line.cells.resize(*column + 1);
            line.cells[*column] = utf8ToGbk(cellText(cell, strings));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tallivan

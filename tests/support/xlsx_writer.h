// Writes a small workbook (.xlsx) in memory with libzip, as a broker's trading client exports
// a statement: one sheet, text cells in the shared string table, numbers as numbers.
#pragma once

#include <zip.h>

#include <string>
#include <vector>

namespace tallivan::testing {

inline std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

inline std::string columnName(std::size_t column) {
    std::string name;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

inline bool looksNumeric(const std::string& text) {
    if (text.empty())
        return false;
    std::size_t used = 0;
    try {
        std::stod(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size();
}

// The archive of `parts` (name, content).
inline std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : parts) {
        zip_source_t* part = zip_source_buffer(archive, content.data(), content.size(), 0);
        zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    std::string bytes;
    zip_source_open(buffer);
    char chunk[4096];
    zip_int64_t n;
    while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(n));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

// A workbook whose first sheet holds `rows` (UTF-8 texts). Texts that read as numbers are
// stored as numbers, so a code loses its leading zeros as it does in a real export.
inline std::string xlsxWorkbook(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> strings;
    std::string sheet =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        sheet += "<row r=\"" + std::to_string(r + 1) + "\">";
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& text = rows[r][c];
            if (text.empty())
                continue;
            const std::string ref = columnName(c) + std::to_string(r + 1);
            if (looksNumeric(text)) {
                // A number keeps no leading zeros: code 000001 is stored as 1.
                std::string value = text;
                while (value.size() > 1 && value[0] == '0' && value[1] != '.')
                    value.erase(0, 1);
                sheet += "<c r=\"" + ref + "\"><v>" + value + "</v></c>";
            } else {
                sheet += "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(strings.size()) +
                         "</v></c>";
                strings.push_back(text);
            }
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    std::string shared =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
        std::to_string(strings.size()) + "\">";
    for (const std::string& s : strings)
        shared += "<si><t>" + xmlEscaped(s) + "</t></si>";
    shared += "</sst>";
    const std::string book =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const std::string relations =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/></Relationships>";
    return zipArchive({{"xl/workbook.xml", book},
                       {"xl/_rels/workbook.xml.rels", relations},
                       {"xl/sharedStrings.xml", shared},
                       {"xl/worksheets/sheet1.xml", sheet}});
}

}  // namespace tallivan::testing

#include "forms/price_source_form.h"

#include "base/gbk.h"
#include "market/price_source.h"

namespace tallivan {

namespace {

// The longest main directory a source keeps in its settings entry.
constexpr std::size_t kDirectoryLength = 28;

}  // namespace

PriceSourceForm::PriceSourceForm(Ui& ui, Settings& settings)
    : Form(ui, gbk("更新现价")), settings_(settings) {
    Field option;
    option.name = field_id::kOptionGroup;
    option.kind = FieldKind::Radio;
    option.label = gbk("选项");
    // The vendors' web addresses are not shown: an address nobody has checked would send a
    // person to the wrong place.
    option.items = {gbk("钱龙日线(*.day)"), gbk("赢证日线(day.dat)"), gbk("财智收盘价(*.txt)"),
                    gbk("通达信日线(vipdoc)")};
    static_assert(kPriceSourceCount == 4);
    // A settings file may name a source that does not exist: the first one is offered then.
    option.selected = settings.priceSource < kPriceSourceCount ? settings.priceSource : 0;
    add(std::move(option));
    addEdit(field_id::kDirectory, gbk("主目录"), kDirectoryLength);
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));
    showStoredDirectory();
}

void PriceSourceForm::showStoredDirectory() {
    const auto source = static_cast<std::size_t>(field(field_id::kOptionGroup).selected);
    Field& directory = field(field_id::kDirectory);
    directory.text =
        fitToField(directory, fieldText(settings_.priceSourceDirs[source], kPriceSourceDirSize));
}

void PriceSourceForm::select(std::string_view name, int index) {
    // A choice always stays made: there is no source "none".
    if (name == field_id::kOptionGroup && (index < 0 || index >= kPriceSourceCount))
        return;
    Form::select(name, index);
    if (name == field_id::kOptionGroup)
        showStoredDirectory();
}

void PriceSourceForm::press(std::string_view name) {
    if (name == field_id::kOk) {
        const int source = field(field_id::kOptionGroup).selected;
        settings_.priceSource = static_cast<std::uint8_t>(source);
        copyToField(settings_.priceSourceDirs[source], kPriceSourceDirSize,
                    field(field_id::kDirectory).text);
        close(Result::Ok);
    } else if (name == field_id::kCancel) {
        cancel();
    }
}

}  // namespace tallivan

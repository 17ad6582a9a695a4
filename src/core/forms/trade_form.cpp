// Opening the trade dialog: its fields, the record's values and the set-up of each mode.
#include "forms/trade_form.h"

#include <string>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

struct ModeSetUp {
    TradeMode mode;
    const char* caption;
    const char* okCaption;
};

const ModeSetUp kModeSetUps[] = {
    {TradeMode::Buy, "买入股票", "买入(&O)"},     {TradeMode::Sell, "卖出股票", "卖出(&O)"},
    {TradeMode::RightsIssue, "配股", "配股(&O)"}, {TradeMode::BonusShares, "送股", "送股(&O)"},
    {TradeMode::Dividend, "分红", "分红(&O)"},    {TradeMode::Subscription, "申购新股", "申购(&O)"},
    {TradeMode::Undo, "撤消交易", "撤消(&O)"},    {TradeMode::Edit, "修改交易", "修改(&O)"},
};

const ModeSetUp* setUpOf(TradeMode mode) {
    for (const ModeSetUp& s : kModeSetUps) {
        if (s.mode == mode)
            return &s;
    }
    return nullptr;
}

// The group caption of an edited transaction names its type.
const char* editCaptionOf(int type) {
    switch (type) {
        case kBuy:
            return "买入";
        case kSell:
            return "卖出";
        case kRightsIssue:
            return "配股";
        case kBonusShares:
            return "送股";
        case kDividend:
            return "分红";
        case kSubscription:
            return "申购";
        case kSubscriptionWon:
            return "申购中签";
        case kSubscriptionNotWon:
            return "申购未中签";
        default:
            return "修改交易";
    }
}

constexpr const char* kEdits[] = {field_id::kYear,  field_id::kMonth, field_id::kDay,
                                  field_id::kCode,  field_id::kTitle, field_id::kShares,
                                  field_id::kPrice, field_id::kFee,   field_id::kTotal};

}  // namespace

TradeForm::TradeForm(Ui& ui, TradeMode mode, TradeRecord& record, const Settings& settings,
                     const NameTable& names)
    : Form(ui, std::string()),
      mode_(mode),
      record_(record),
      settings_(settings),
      names_(names),
      kindState_(record.kindState),
      shares_(record.shares),
      openingShares_(record.shares),
      price_(fromMilli(record.price)),
      fee_(fromMilli(record.fee)),
      costBasis_(fromMilli(record.costBasis)),
      openingCostBasis_(toMilli(costBasis_)),
      year_(record.year),
      month_(record.month),
      day_(record.day) {
    Field group;
    group.name = field_id::kTradeGroup;
    group.kind = FieldKind::Label;
    group.tabStop = false;
    add(std::move(group));
    addEdit(field_id::kYear, gbk("日期"), 4);
    addEdit(field_id::kMonth, "-", 2);
    addEdit(field_id::kDay, "-", 2);
    addEdit(field_id::kCode, gbk("代码"), 6);
    Field& title = addEdit(field_id::kTitle, gbk("名称"), 8);
    title.readOnly = title.locked = true;
    title.tabStop = false;
    addEdit(field_id::kShares, gbk("股数"));
    addEdit(field_id::kPrice, gbk("价格"));
    addEdit(field_id::kFee, gbk("税费"));
    Field& all = addEdit(field_id::kTotal, gbk("总价"));
    all.readOnly = all.locked = true;
    all.tabStop = false;
    addButton(field_id::kOk, gbk("确定(&O)"));
    addButton(field_id::kCancel, gbk("取消(&C)"));

    showOpeningValues();
    setUpMode();
}

void TradeForm::showOpeningValues() {
    if (mode_ != TradeMode::Buy && mode_ != TradeMode::Subscription) {
        const std::string code = fieldText(record_.code, sizeof record_.code);
        field(field_id::kCode).text = code;
        field(field_id::kTitle).text = fitToField(field(field_id::kTitle), names_.nameOf(code));
    }
    field(field_id::kYear).text = std::to_string(year_);
    field(field_id::kMonth).text = std::to_string(month_);
    field(field_id::kDay).text = std::to_string(day_);
    field(field_id::kShares).text = std::to_string(shares_);
    field(field_id::kPrice).text = tickText(price_, priceTick());
    field(field_id::kFee).text = fixed2(fee_);
    field(field_id::kTotal).text = fixed2(editingSale() ? costBasis_ : total());
    parts_ = partsOf(shares_, price_);
    showFeeParts();
}

void TradeForm::lock(const char* name, bool outOfTabOrder) {
    Field& f = field(name);
    f.readOnly = f.locked = true;
    if (outOfTabOrder)
        f.tabStop = false;
}

void TradeForm::setUpMode() {
    const ModeSetUp* s = setUpOf(mode_);
    if (!s)
        return;
    setCaption(gbk(s->caption));
    field(field_id::kOk).label = gbk(s->okCaption);
    Field& group = field(field_id::kTradeGroup);
    group.text = gbk(mode_ == TradeMode::Edit ? editCaptionOf(type()) : s->caption);

    switch (mode_) {
        case TradeMode::Buy:
            break;
        case TradeMode::Sell:
            lock(field_id::kCode, false);
            break;
        case TradeMode::RightsIssue:
            lock(field_id::kCode, true);
            lock(field_id::kFee, true);
            break;
        case TradeMode::BonusShares:
            lock(field_id::kCode, true);
            lock(field_id::kFee, true);
            lock(field_id::kPrice, true);
            break;
        case TradeMode::Dividend:
            lock(field_id::kCode, true);
            lock(field_id::kShares, true);
            lock(field_id::kPrice, true);
            field(field_id::kFee).label = gbk("红利");
            break;
        case TradeMode::Subscription:
            lock(field_id::kFee, true);
            break;
        case TradeMode::Undo:
            // The whole group is disabled: nothing can be focused or changed.
            group.enabled = false;
            for (const char* name : kEdits) {
                Field& f = field(name);
                f.enabled = false;
                f.readOnly = f.locked = true;
            }
            break;
        case TradeMode::Edit:
            lock(field_id::kCode, false);
            if (type() == kSell) {
                Field& cost = field(field_id::kTotal);
                cost.label = gbk("总买价");
                cost.readOnly = cost.locked = false;
                cost.tabStop = true;
            }
            break;
    }
}

bool TradeForm::editingSale() const {
    return mode_ == TradeMode::Edit && type() == kSell;
}

}  // namespace tallivan

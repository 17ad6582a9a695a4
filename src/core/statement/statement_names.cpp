#include "statement/statement_names.h"

namespace tallivan {

const std::vector<CaptionNames>& captionNames() {
    using F = StatementField;
    static const std::vector<CaptionNames> table = {
        {F::Date, {"成交日期", "发生日期", "交收日期", "清算日期", "日期"}},
        {F::Time, {"成交时间", "发生时间"}},
        {F::Operation,
         {"业务名称", "操作", "摘要", "买卖标志", "买卖类别", "委托类别", "业务类型"}},
        {F::Code, {"证券代码", "股票代码", "代码"}},
        {F::Name, {"证券名称", "股票名称"}},
        {F::Shares, {"成交数量", "成交股数", "发生数量", "成交数"}},
        {F::Price, {"成交价格", "成交均价", "成交价"}},
        {F::Amount, {"成交金额"}},
        {F::NetAmount, {"发生金额", "清算金额", "收付金额", "总发生金额", "变动金额"}},
        {F::TotalFee, {"总费用", "费用合计"}},
        {F::Id, {"成交编号", "合同编号", "合同号", "委托编号", "成交序号"}},
        {std::nullopt,
         {"手续费", "佣金", "净佣金", "印花税", "过户费", "沪市过户费", "深市过户费", "其他费",
          "其他杂费", "交易规费", "经手费", "证管费", "结算费", "清算费", "财汇局征费", "附加费"}},
    };
    return table;
}

const std::vector<OperationNames>& operationNames() {
    using Op = StatementOperation;
    static const std::vector<OperationNames> table = {
        {Op::Buy, "", {"证券买入", "买入", "普通买入", "担保物买入", "买", "证券买入清算"}},
        {Op::Sell, "", {"证券卖出", "卖出", "普通卖出", "担保物卖出", "卖", "证券卖出清算"}},
        {Op::Dividend, "", {"红利入账", "股息入账", "股息红利", "红利", "股息", "红利发放"}},
        {Op::DividendTax,
         "",
         {"股息红利税补缴", "股息红利税补", "红利税补缴", "股息个税征收", "股息红利差异扣税",
          "红利差异税扣税", "股息红利个税补缴"}},
        {Op::BonusShares, "", {"红股入账", "送股", "转增股入账", "红股"}},
        {Op::RightsIssue, "", {"配股缴款", "配股入账"}},
        {Op::NewShares, "", {"新股入账", "中签入账"}},
        {Op::Deposit, "", {"银行转证券", "银证转入", "银行转存", "证券转入"}},
        {Op::Withdrawal, "", {"证券转银行", "银证转出", "银行转取", "证券转出"}},
        {Op::Interest, "", {"利息归本"}},
        {Op::Skipped,
         "逆回购",
         {"融券回购", "融券购回", "质押回购拆出", "拆出质押购回", "质押回购", "回购到期"}},
        // The money of won shares moves with their row of 新股入账.
        {Op::Skipped, "中签扣款", {"中签扣款", "新股中签扣款"}},
        {Op::Skipped, "指定交易", {"指定交易", "撤销指定"}},
        {Op::Skipped, "撤单", {"撤单"}},
        {Op::Skipped, "托管转入", {"托管转入"}},
        {Op::Skipped, "托管转出", {"托管转出"}},
    };
    return table;
}

const std::vector<const char*>& tableEndWords() {
    static const std::vector<const char*> words = {"合计", "总计", "小计"};
    return words;
}

}  // namespace tallivan

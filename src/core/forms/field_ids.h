// The names of the forms' fields: the one place each is spelt out. The views name their widgets,
// and the command line and the tests type into fields, through these constants; a form refuses
// a name it does not have.
#pragma once

namespace tallivan::field_id {

// Shared by several forms.
inline constexpr const char* kOk = "cmdOk";
inline constexpr const char* kCancel = "cmdCancel";
inline constexpr const char* kYear = "txtYear";
inline constexpr const char* kMonth = "txtMonth";
inline constexpr const char* kDay = "txtDay";
inline constexpr const char* kCode = "txtCode";
inline constexpr const char* kTitle = "txtTitle";
inline constexpr const char* kText = "txtText";
inline constexpr const char* kDirectory = "txtDir";
inline constexpr const char* kMemo = "txtMemo";

// The trade dialog.
inline constexpr const char* kTradeGroup = "grpStk";
inline constexpr const char* kShares = "txtStockNum";
inline constexpr const char* kPrice = "txtPrice";
inline constexpr const char* kFee = "txtSxf";
inline constexpr const char* kTotal = "txtAllPrice";

// The stock dialog.
inline constexpr const char* kPriceGroup = "grpPrice";
inline constexpr const char* kCost = "txtCost";
inline constexpr const char* kCurrentPrice = "txtNowPrice";
inline constexpr const char* kCurrentValue = "txtXj";
inline constexpr const char* kProfit = "txtYl";
inline constexpr const char* kProfitRatio = "txtYll";
inline constexpr const char* kCalculateProfit = "cmdCalYl";
inline constexpr const char* kCalculateProfitRatio = "cmdCalYll";
inline constexpr const char* kLoss = "txtKs";
inline constexpr const char* kLossRatio = "txtKsl";
inline constexpr const char* kCalculateLoss = "cmdCalKs";
inline constexpr const char* kCalculateLossRatio = "cmdCalKsl";
inline constexpr const char* kStopLossPrice = "txtZsPrice";
inline constexpr const char* kStopLossRatio = "txtZsbl";
inline constexpr const char* kHighestStopLossPrice = "txtZszd";
inline constexpr const char* kTakeProfitPrice = "txtHlPrice";
inline constexpr const char* kTakeProfitRatio = "txtHlbl";
inline constexpr const char* kLowestTakeProfitPrice = "txtHlzd";

// The budget panel.
inline constexpr const char* kBuyPrice = "txtBuyPrice";
inline constexpr const char* kSellPrice = "txtSellPrice";
inline constexpr const char* kBuyFee = "txtBuySxf";
inline constexpr const char* kBuyTotal = "txtBuyPriceAll";
inline constexpr const char* kSellFee = "txtSellSxf";
inline constexpr const char* kSellTotal = "txtSellPriceAll";
inline constexpr const char* kNetProfitRatio = "txtBlYl";
inline constexpr const char* kStockCategory = "cboStkType";
inline constexpr const char* kCalculate = "cmdCal";

// The fee table.
inline constexpr const char* kCategoryList = "lsvCfg";
inline constexpr const char* kCodeLength = "txtCodeLen";
inline constexpr const char* kCommissionRate = "txtBlSxf";
inline constexpr const char* kMinCommission = "txtZdSxf";
inline constexpr const char* kStampTaxRate = "txtBlTax";
inline constexpr const char* kTransferFee = "txtBlGhf";
inline constexpr const char* kMinTransferFee = "txtZdGhf";
inline constexpr const char* kOrderFee = "txtWtf";
inline constexpr const char* kStampOnSalesOnly = "chkStampOnSalesOnly";
inline constexpr const char* kTransferOfAmount = "chkTransferOfAmount";
inline constexpr const char* kPriceInMilli = "chkPriceInMilli";
inline constexpr const char* kCurrentRates = "cmdPreset";
inline constexpr const char* kExit = "cmdExit";

// Accounts, passwords, options, funds and statements.
inline constexpr const char* kWantPassword = "chkWantPwd";
inline constexpr const char* kOldPassword = "txtOldPwd";
inline constexpr const char* kNewPassword = "txtNewPwd";
inline constexpr const char* kNewPasswordAgain = "txtNewPwdAgain";
inline constexpr const char* kPassphrase = "txtPassphrase";
inline constexpr const char* kPassphraseAgain = "txtPassphraseAgain";
inline constexpr const char* kOptionGroup = "grpOption";
inline constexpr const char* kOperation = "cboOperation";
inline constexpr const char* kAmount = "txtMoney";
inline constexpr const char* kImport = "cmdImport";
inline constexpr const char* kFileLabel = "lblFile";
inline constexpr const char* kCountsLabel = "lblCounts";
inline constexpr const char* kCashLabel = "lblCash";

}  // namespace tallivan::field_id

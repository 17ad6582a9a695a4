#include "command_table.h"

namespace tallivan::gui {

const char* const kWindowHint = "Tallivan V1.00 2000.12.17";

const std::vector<MenuDefinition>& mainMenus() {
    static const std::vector<MenuDefinition> menus = {
        {"mnuFile",
         "文件(&F)",
         {{"mnuOption", "选项(&O)...", "", ""},
          {"mnuConfig", "设置参数(&P)...", "", "设置参数"},
          {"mnuStkCode", "证券名称(&T)...", "Ctrl+T", ""},
          {"N3", nullptr, "", ""},
          {"mnuExportTxt", "文本文件(&T)", "", "", "mnuExport", "导出数据(&E)"},
          {"mnuExportCsv", "CSV文件(&C)", "", "CSV文件|导出为电子表格可以打开的CSV文件",
           "mnuExport", "导出数据(&E)"},
          {"mnuExportDir", "导出到(&D)...", "", "导出到|选择导出文件所在的目录", "mnuExport",
           "导出数据(&E)"},
          {"mnuImport", "导入交割单(&I)...", "", "导入交割单|从券商的交割单导入交易和资金"},
          {"mnuReadSpj", "更新现价(&R)...", "Ctrl+R", "更新现价(Ctrl+R)|更新持有股票的现价"},
          {"N12", nullptr, "", ""},
          {"mnuExit", "退出(&X)", "", "退出应用程序"}}},
        {"mnuAccount",
         "账户(&O)",
         {{"mnuAddAcc", "添加账户(&A)...", "F7", "添加股票帐户"},
          {"mnuEditAcc", "修改账户(&E)...", "Ctrl+F7", "修改股票帐户(Ctrl+F7)"},
          {"mnuDelAcc", "删除账户(&D)...", "Ctrl+D", "删除股票帐户"},
          {"mnuEditPwd", "修改密码(&P)...", "Ctrl+P", ""},
          {"N7", nullptr, "", ""},
          {"mnuFund", "存取资金(&F)...", "F8", ""},
          {"mnuDelFund", "删除资金(&C)...", "Ctrl+F8", ""}}},
        {"mnuStock",
         "股票(&S)",
         {{"mnuBuyStk", "买入股票(&B)...", "F11", "买入股票(F11)||买入股票(F11)"},
          {"mnuApplyStk", "申购新股(&A)...", "Ctrl+F11", ""},
          {"N4", nullptr, "", ""},
          {"mnuSellStk", "卖出股票(&S)...", "F12", "卖出股票(F12)"},
          {"mnuPeiStk", "配股(&P)...", "Ctrl+F12", ""},
          {"mnuSendStk", "送股(&G)...", "", ""},
          {"mnuFh", "分红(&F)...", "", ""},
          {"mnuApplyStkOk", "申购中签(&Z)...", "", ""},
          {"mnuApplyStkNo", "申购未中签(&N)...", "Ctrl+N", ""},
          {"N2", nullptr, "", ""},
          {"mnuEditStk", "修改股票(&C)...", "F9", "修改股票(F9)|修改股票"},
          {"mnuDelStk", "删除股票(&H)...", "Ctrl+F9", "删除股票(Ctrl+F9)"},
          {"N10", nullptr, "", ""},
          {"mnuEditRec", "修改交易(&E)...", "F10", "修改交易(F10)|修改交易记录"},
          {"mnuDelRec", "撤消交易(&D)...", "Ctrl+F10", "撤消交易(Ctrl+F10)"}}},
        {"mnuView",
         "查看(&V)",
         {{"mnuFilter", "筛选(&L)...", "Ctrl+F", "筛选|按证券代码、名称、备注或日期筛选列表"},
          {"mnuOriginalOrder", "原始顺序(&O)", "", "原始顺序|列表恢复帐目原来的顺序"}}},
        {"H1",
         "帮助(&H)",
         {{"mnuHelp", "内容(&C)...", "", ""}, {"mnuAbout", "关于(&A)...", "", "关于"}}},
    };
    return menus;
}

const std::vector<ToolButtonDefinition>& toolButtons() {
    static const std::vector<ToolButtonDefinition> buttons = {
        {"cmdBuyStk", "mnuBuyStk", 0},   {"cmdSellStk", "mnuSellStk", 1},
        {"ToolButton1", nullptr, -1},    {"cmdEditStk", "mnuEditStk", 2},
        {"cmdEditRec", "mnuEditRec", 3}, {"ToolButton4", nullptr, -1},
        {"cmdReadSpj", "mnuReadSpj", 4}, {"ToolButton6", nullptr, -1},
        {"ToolButton7", "mnuAbout", 5},
    };
    return buttons;
}

QString shortHint(const QString& hint) {
    return hint.section('|', 0, 0);
}

QString longHint(const QString& hint) {
    const auto bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace tallivan::gui

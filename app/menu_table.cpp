#include "app/menu_table.h"

#include "app/main_window.h"

namespace inkwren {

const std::vector<MenuEntry>& menu_table() {
    using K = MenuKind;
    static const std::vector<MenuEntry> entries = {
        {"N11", nullptr, "檔案", K::submenu},
        {"N16", "N11", "自定文字", K::submenu},
        {"N17", "N16", "更新", K::command},
        {"N19", "N16", "刪除", K::command},
        {"N14", "N11", "動畫", K::submenu},
        {"Gif1", "N14", "輸出到網頁動畫(Gif)", K::toggle, false, true, {}, &TForm1::Gif1Click},
        {"N1001", "N14", "100%", K::choice, true, true, {}, &TForm1::N1001Click},
        {"N501", "N14", "50%", K::choice, false, true, {}, &TForm1::N501Click},
        {"N28", "N11", "儲存筆劃檔案...", K::command},
        {"N26", "N11", "儲存設定...", K::command},
        {"N47", "N11", "設定...", K::command, false, true, {}, &TForm1::N47Click},
        {"N48", "N11", "-", K::separator},
        {"N27", "N11", "開啟練習簿", K::command, false, false},
        {"N38", "N11", "離開", K::command, false, true, {}, &TForm1::N38Click},
        {"N1", nullptr, "檢視", K::submenu},
        {"N2", "N1", "九宮格", K::toggle, true, true, {}, &TForm1::N2Click},
        {"N13", "N1", "鉛筆", K::toggle, true, true, {}, &TForm1::N13Click},
        {"N20", "N1", "閃爍棒", K::toggle, true, true, {}, &TForm1::N20Click},
        {"N39", "N1", "逐格筆順", K::command},
        {"n18", "N1", "使用自定文字", K::toggle, true, true, {}, &TForm1::N18Click},
        {"N40", "N1", "-", K::separator},
        {"N30", "N1", "語系", K::submenu},
        {"N31", "N30", "中文(繁體)", K::choice, false, true, {}, &TForm1::N31Click},
        {"N32", "N30", "中文(簡體)", K::choice, false, true, {}, &TForm1::N32Click},
        {"N33", "N30", "英文 / English", K::choice, false, true, QKeySequence(Qt::Key_F12),
         &TForm1::N33Click},
        {"N45", "N30", "", K::command, false, false, {}, &TForm1::N45Click},
        {"N34", "N1", "編碼", K::submenu},
        {"N50", "N34", "Autodetect", K::choice, false, true, {}, &TForm1::N50Click},
        {"n35", "N34", "Unicode (Traditional)", K::choice, false, true, {}, &TForm1::n35Click},
        {"n36", "N34", "Unicode (Simplified)", K::choice, false, true, {}, &TForm1::n36Click},
        {"n37", "N34", "Big 5", K::choice, false, true, {}, &TForm1::n37Click},
        {"n60", "N34", "GB", K::choice, true, true, {}, &TForm1::n60Click},
        {"n61", "N34", "-", K::separator},
        {"Configure1", "N34", "Configure...", K::command, false, false, QKeySequence(Qt::Key_F4)},
        {"N43", "N1", "字庫", K::submenu},
        {"N41", "N43", "繁體字庫", K::choice, false, true, {}, &TForm1::N41Click},
        {"N42", "N43", "簡體字庫", K::choice, true, true, {}, &TForm1::N42Click},
        {"N6", nullptr, "輔助", K::submenu},
        {"N7", "N6", "軟件更新...", K::command},
        {"N8", "N6", "使用說明", K::command},
        {"N22", popup_menu_name, "加入閃爍棒", K::command},
        {"N21", popup_menu_name, "刪除閃爍棒", K::command},
        {"N25", popup_menu_name, "刪除這個自定的文字", K::command},
        {"N5", popup_menu_name, "置於螢光幕最上層", K::toggle, true, true, {}, &TForm1::N5Click},
        {"N4", popup_menu_name, "關於本軟件.....", K::command, false, true, {}, &TForm1::N4Click},
    };
    return entries;
}

}  // namespace inkwren

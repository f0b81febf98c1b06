#include "app/menu_table.h"

#include "app/main_window.h"
#include "langtable/text_keys.h"

namespace inkwren {

const std::vector<MenuEntry>& menu_table() {
    using K = MenuKind;
    // One item a line, so the table reads as a table.
    // clang-format off
    static const std::vector<MenuEntry> entries = {
        {"N11", nullptr, text_key::file_menu, "檔案", K::submenu},
        {"N16", "N11", text_key::custom_characters_menu, "自定文字", K::submenu},
        {"N17", "N16", text_key::save_custom_item, "更新", K::command, false, true, {}, &TForm1::N17Click},
        {"N19", "N16", text_key::delete_custom_item, "刪除", K::command, false, true, {}, &TForm1::N19Click},
        {"N29", "N11", nullptr, "-", K::separator},
        {"N14", "N11", text_key::animation_menu, "動畫", K::submenu},
        {"Gif1", "N14", text_key::record_gif_item, "輸出到網頁動畫(Gif)", K::toggle, false, true, {}, &TForm1::Gif1Click},
        {"N1001", "N14", nullptr, "100%", K::choice, true, true, {}, &TForm1::N1001Click},
        {"N501", "N14", nullptr, "50%", K::choice, false, true, {}, &TForm1::N501Click},
        {"N15", "N11", nullptr, "-", K::separator},
        {"N28", "N11", text_key::save_sheet_item, "儲存筆劃檔案...", K::command, false, true, {}, &TForm1::N28Click},
        {"N26", "N11", text_key::sheet_settings_item, "儲存設定...", K::command, false, true, {}, &TForm1::N26Click},
        {"N47", "N11", text_key::settings_program_item, "設定...", K::command, false, true, {}, &TForm1::N47Click},
        {"N48", "N11", nullptr, "-", K::separator},
        {"N27", "N11", text_key::open_workbook_item, "開啟練習簿", K::command, false, false, {}, &TForm1::N27Click},
        {"N38", "N11", text_key::exit_item, "離開", K::command, false, true, {}, &TForm1::N38Click},
        {"N1", nullptr, text_key::view_menu, "檢視", K::submenu},
        {"N2", "N1", text_key::nine_grid_item, "九宮格", K::toggle, true, true, {}, &TForm1::N2Click},
        {"N13", "N1", text_key::pen_cursor_item, "鉛筆", K::toggle, true, true, {}, &TForm1::N13Click},
        {"N20", "N1", text_key::flash_bars_item, "閃爍棒", K::toggle, true, true, {}, &TForm1::N20Click},
        {"N9", "N1", nullptr, "-", K::separator},
        {"N39", "N1", text_key::step_by_step_item, "逐格筆順", K::command, false, true, {}, &TForm1::N39Click},
        {"separator4", "N1", nullptr, "-", K::separator},
        {"n18", "N1", text_key::use_custom_item, "使用自定文字", K::toggle, true, true, {}, &TForm1::N18Click},
        {"N40", "N1", nullptr, "-", K::separator},
        {"N30", "N1", text_key::language_menu, "語系", K::submenu},
        {"N31", "N30", text_key::traditional_language_item, "中文(繁體)", K::choice, false, true, {}, &TForm1::N31Click},
        {"N32", "N30", text_key::simplified_language_item, "中文(簡體)", K::choice, false, true, {}, &TForm1::N32Click},
        {"N33", "N30", text_key::english_language_item, "英文 / English", K::choice, false, true, QKeySequence(Qt::Key_F12), &TForm1::N33Click},
        {"N45", "N30", nullptr, "", K::command, false, false, {}, &TForm1::N45Click},
        {"N46", "N1", nullptr, "-", K::separator},
        {"N34", "N1", text_key::encoding_menu, "編碼", K::submenu},
        {"N50", "N34", text_key::autodetect_item, "Autodetect", K::choice, false, true, {}, &TForm1::N50Click},
        {"N44", "N34", nullptr, "-", K::separator},
        {"n35", "N34", text_key::unicode_traditional_item, "Unicode (Traditional)", K::choice, false, true, {}, &TForm1::n35Click},
        {"n36", "N34", text_key::unicode_simplified_item, "Unicode (Simplified)", K::choice, false, true, {}, &TForm1::n36Click},
        {"n37", "N34", text_key::big5_item, "Big 5", K::choice, false, true, {}, &TForm1::n37Click},
        {"n60", "N34", text_key::gb_item, "GB", K::choice, true, true, {}, &TForm1::n60Click},
        {"n61", "N34", text_key::spare_encoding_item, "-", K::separator},
        {"Configure1", "N34", nullptr, "Configure...", K::command, false, false, QKeySequence(Qt::Key_F4)},
        {"N49", "N1", nullptr, "-", K::separator},
        {"N43", "N1", text_key::library_menu, "字庫", K::submenu},
        {"N41", "N43", text_key::traditional_library_item, "繁體字庫", K::choice, false, true, {}, &TForm1::N41Click},
        {"N42", "N43", text_key::simplified_library_item, "簡體字庫", K::choice, true, true, {}, &TForm1::N42Click},
        {"N52", "N1", nullptr, "-", K::separator},
        {"N53", "N1", text_key::stroke_numbers_item, "筆順編號", K::toggle, false, true, {}, &TForm1::N53Click},
        {"N54", "N1", nullptr, "-", K::separator},
        {"N55", "N1", text_key::playback_menu, "播放", K::submenu},
        {"N56", "N55", text_key::play_pause_item, "播放/暫停", K::command, false, true, QKeySequence(Qt::Key_Space), &TForm1::N56Click},
        {"N57", "N55", text_key::next_stroke_item, "下一筆", K::command, false, true, QKeySequence(Qt::Key_Right), &TForm1::N57Click},
        {"N58", "N55", text_key::previous_stroke_item, "上一筆", K::command, false, true, QKeySequence(Qt::Key_Left), &TForm1::N58Click},
        {"N59", "N55", text_key::no_strokes_item, "不顯示筆劃", K::command, false, true, QKeySequence(Qt::Key_Home), &TForm1::N59Click},
        {"N60", "N55", text_key::whole_character_item, "顯示全字", K::command, false, true, QKeySequence(Qt::Key_End), &TForm1::N60Click},
        {"N61", "N55", text_key::loop_item, "循環播放", K::toggle, false, true, QKeySequence(Qt::Key_L), &TForm1::N61Click},
        // The keypad's keys reach these too: shortcuts fall back to the key without the keypad.
        {"N62", "N55", text_key::faster_item, "加快", K::command, false, true, QKeySequence(Qt::Key_Plus), &TForm1::N62Click, QKeySequence(Qt::Key_Equal)},
        {"N63", "N55", text_key::slower_item, "減慢", K::command, false, true, QKeySequence(Qt::Key_Minus), &TForm1::N63Click},
        {"N6", nullptr, text_key::help_menu, "輔助", K::submenu},
        // No update service: the item stays greyed out.
        {"N7", "N6", text_key::software_update_item, "軟件更新...", K::command},
        {"N8", "N6", text_key::manual_item, "使用說明", K::command, false, true, {}, &TForm1::N8Click},
        {"N22", popup_menu_name, text_key::add_flash_bar_item, "加入閃爍棒", K::command, false, true, {}, &TForm1::N22Click},
        {"N21", popup_menu_name, text_key::remove_flash_bar_item, "刪除閃爍棒", K::command, false, true, {}, &TForm1::N21Click},
        {"N12", popup_menu_name, nullptr, "-", K::separator},
        {"N25", popup_menu_name, text_key::delete_custom_popup_item, "刪除這個自定的文字", K::command, false, true, {}, &TForm1::N25Click},
        {"N51", popup_menu_name, nullptr, "-", K::separator},
        {"N5", popup_menu_name, text_key::stay_on_top_item, "置於螢光幕最上層", K::toggle, true, true, {}, &TForm1::N5Click},
        {"N4", popup_menu_name, text_key::about_caption, "關於本軟件.....", K::command, false, true, {}, &TForm1::N4Click},
    };
    // clang-format on
    return entries;
}

}  // namespace inkwren

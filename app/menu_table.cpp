#include "app/menu_table.h"

#include "app/main_window.h"
#include "langtable/text_keys.h"

namespace inkwren {

namespace {

template <bool PadSettings::*setting>
bool pad_switch(const Shell& shell) {
    return shell.pad().settings().*setting;
}

bool uses_custom(const Shell& shell) {
    return shell.pad().use_custom();
}

bool records_gif(const Shell& shell) {
    return shell.gif_settings().record;
}

bool stays_on_top(const Shell& shell) {
    return shell.stay_on_top();
}

bool has_settings_program(const Shell& shell) {
    return shell.has_settings_program();
}

bool practising(const Shell& shell) {
    return shell.practising();
}

bool practice_outline(const Shell& shell) {
    return shell.practice_outline();
}

bool character_info(const Shell& shell) {
    return shell.character_info();
}

bool traditional_library(const Shell& shell) {
    return shell.traditional_library();
}

QString user_language_caption(const Shell& shell) {
    return shell.user_language_caption();
}

}  // namespace

const std::vector<MenuEntry>& menu_table() {
    using K = MenuKind;
    using F = TForm1;
    // One item a line, so the table reads as a table.
    // clang-format off
    static const std::vector<MenuEntry> entries = {
        {"N11", nullptr, text_key::file_menu, "檔案", K::submenu},
        {"N16", "N11", text_key::custom_characters_menu, "自定文字", K::submenu},
        {"N17", "N16", text_key::save_custom_item, "更新", K::command, {.handler = &F::N17Click}},
        {"N19", "N16", text_key::delete_custom_item, "刪除", K::command, {.handler = &F::N19Click}},
        {"N29", "N11", nullptr, "-", K::separator},
        {"N14", "N11", text_key::animation_menu, "動畫", K::submenu},
        {"Gif1", "N14", text_key::record_gif_item, "輸出到網頁動畫(Gif)", K::toggle, {.handler = &F::Gif1Click, .checked = records_gif}},
        {"N1001", "N14", nullptr, "100%", K::choice, {.choice = GifScale{1.0}}},
        {"N501", "N14", nullptr, "50%", K::choice, {.choice = GifScale{0.5}}},
        {"N67", "N14", text_key::smooth_gif_item, "平滑", K::toggle, {.handler = &F::N67Click, .checked = pad_switch<&PadSettings::smooth_gif>}},
        {"N15", "N11", nullptr, "-", K::separator},
        {"N28", "N11", text_key::save_sheet_item, "儲存筆劃檔案...", K::command, {.handler = &F::N28Click}},
        {"N26", "N11", text_key::sheet_settings_item, "儲存設定...", K::command, {.handler = &F::N26Click}},
        {"N47", "N11", text_key::settings_program_item, "設定...", K::command, {.handler = &F::N47Click, .shown = has_settings_program}},
        {"N80", "N11", text_key::practice_review_item, "複習練習...", K::command, {.handler = &F::N80Click}},
        {"N48", "N11", nullptr, "-", K::separator},
        {"N27", "N11", text_key::open_workbook_item, "開啟練習簿", K::command, {.handler = &F::N27Click, .hidden = true}},
        {"N38", "N11", text_key::exit_item, "離開", K::command, {.handler = &F::N38Click}},
        {"N1", nullptr, text_key::view_menu, "檢視", K::submenu},
        {"N2", "N1", text_key::nine_grid_item, "九宮格", K::toggle, {.handler = &F::N2Click, .checked = pad_switch<&PadSettings::show_grid>}},
        {"N13", "N1", text_key::pen_cursor_item, "鉛筆", K::toggle, {.handler = &F::N13Click, .checked = pad_switch<&PadSettings::show_pen>}},
        {"N20", "N1", text_key::flash_bars_item, "閃爍棒", K::toggle, {.handler = &F::N20Click, .checked = pad_switch<&PadSettings::show_flashbars>}},
        {"N9", "N1", nullptr, "-", K::separator},
        {"N39", "N1", text_key::step_by_step_item, "逐格筆順", K::command, {.handler = &F::N39Click}},
        {"separator4", "N1", nullptr, "-", K::separator},
        {"n18", "N1", text_key::use_custom_item, "使用自定文字", K::toggle, {.handler = &F::N18Click, .checked = uses_custom}},
        {"N40", "N1", nullptr, "-", K::separator},
        {"N30", "N1", text_key::language_menu, "語系", K::submenu},
        {"N31", "N30", text_key::traditional_language_item, "中文(繁體)", K::choice, {.choice = LanguageFile{traditional_language_file}}},
        {"N32", "N30", text_key::simplified_language_item, "中文(簡體)", K::choice, {.choice = LanguageFile{simplified_language_file}}},
        {"N33", "N30", text_key::english_language_item, "英文 / English", K::choice, {.choice = LanguageFile{english_language_file}, .shortcut = QKeySequence(Qt::Key_F12)}},
        {"N45", "N30", nullptr, "", K::command, {.handler = &F::N45Click, .hidden = true, .own_caption = user_language_caption}},
        {"N46", "N1", nullptr, "-", K::separator},
        {"N34", "N1", text_key::encoding_menu, "編碼", K::submenu},
        {"N50", "N34", text_key::autodetect_item, "Autodetect", K::choice, {.choice = EncodingItem::autodetect}},
        {"N44", "N34", nullptr, "-", K::separator},
        {"n35", "N34", text_key::unicode_traditional_item, "Unicode (Traditional)", K::choice, {.choice = EncodingItem::unicode_traditional}},
        {"n36", "N34", text_key::unicode_simplified_item, "Unicode (Simplified)", K::choice, {.choice = EncodingItem::unicode_simplified}},
        {"n37", "N34", text_key::big5_item, "Big 5", K::choice, {.choice = EncodingItem::big5}},
        {"n60", "N34", text_key::gb_item, "GB", K::choice, {.choice = EncodingItem::gb}},
        {"n61", "N34", text_key::spare_encoding_item, "-", K::separator},
        {"Configure1", "N34", nullptr, "Configure...", K::command, {.shortcut = QKeySequence(Qt::Key_F4), .hidden = true}},
        {"N49", "N1", nullptr, "-", K::separator},
        {"N43", "N1", text_key::library_menu, "字庫", K::submenu},
        {"N41", "N43", text_key::traditional_library_item, "繁體字庫", K::choice, {.choice = LibraryItem::traditional}},
        {"N42", "N43", text_key::simplified_library_item, "簡體字庫", K::choice, {.choice = LibraryItem::simplified}},
        // The simplified library always teaches the mainland's order.
        {"N64", "N1", text_key::stroke_order_menu, "筆順標準", K::submenu, {.enabled = traditional_library}},
        {"N65", "N64", text_key::taiwan_standard_item, "臺灣", K::choice, {.choice = StrokeOrderStandard::taiwan}},
        {"N66", "N64", text_key::mainland_standard_item, "大陸", K::choice, {.choice = StrokeOrderStandard::mainland}},
        {"N52", "N1", nullptr, "-", K::separator},
        {"N53", "N1", text_key::stroke_numbers_item, "筆順編號", K::toggle, {.handler = &F::N53Click, .checked = pad_switch<&PadSettings::stroke_numbers>}},
        {"N54", "N1", nullptr, "-", K::separator},
        {"N55", "N1", text_key::playback_menu, "播放", K::submenu},
        {"N56", "N55", text_key::play_pause_item, "播放/暫停", K::command, {.handler = &F::N56Click, .shortcut = QKeySequence(Qt::Key_Space)}},
        {"N57", "N55", text_key::next_stroke_item, "下一筆", K::command, {.handler = &F::N57Click, .shortcut = QKeySequence(Qt::Key_Right)}},
        {"N58", "N55", text_key::previous_stroke_item, "上一筆", K::command, {.handler = &F::N58Click, .shortcut = QKeySequence(Qt::Key_Left)}},
        {"N59", "N55", text_key::no_strokes_item, "不顯示筆劃", K::command, {.handler = &F::N59Click, .shortcut = QKeySequence(Qt::Key_Home)}},
        {"N60", "N55", text_key::whole_character_item, "顯示全字", K::command, {.handler = &F::N60Click, .shortcut = QKeySequence(Qt::Key_End)}},
        {"N61", "N55", text_key::loop_item, "循環播放", K::toggle, {.handler = &F::N61Click, .checked = pad_switch<&PadSettings::loop_lesson>, .shortcut = QKeySequence(Qt::Key_L)}},
        // The keypad's keys reach these too: shortcuts fall back to the key without the keypad.
        {"N62", "N55", text_key::faster_item, "加快", K::command, {.handler = &F::N62Click, .shortcut = QKeySequence(Qt::Key_Plus), .second_shortcut = QKeySequence(Qt::Key_Equal)}},
        {"N63", "N55", text_key::slower_item, "減慢", K::command, {.handler = &F::N63Click, .shortcut = QKeySequence(Qt::Key_Minus)}},
        {"N68", "N1", nullptr, "-", K::separator},
        {"N69", "N1", text_key::grid_style_menu, "格線樣式", K::submenu},
        {"N70", "N69", text_key::solid_grid_item, "實線", K::choice, {.choice = PadGridStyle::solid}},
        {"N71", "N69", text_key::dashed_grid_item, "虛線", K::choice, {.choice = PadGridStyle::dashed}},
        {"N72", "N1", text_key::smooth_ink_item, "平滑墨跡", K::toggle, {.handler = &F::N72Click, .checked = pad_switch<&PadSettings::smooth_ink>}},
        {"N73", "N1", text_key::practice_menu, "練習書寫", K::submenu},
        {"N74", "N73", text_key::practice_item, "練習", K::toggle, {.handler = &F::N74Click, .checked = practising, .shortcut = QKeySequence(Qt::Key_P)}},
        {"N75", "N73", text_key::practice_outline_item, "顯示灰色字", K::toggle, {.handler = &F::N75Click, .checked = practice_outline}},
        {"N81", "N73", nullptr, "-", K::separator},
        {"N82", "N73", text_key::hint_after_menu, "錯幾次後提示", K::submenu},
        {"N83", "N82", nullptr, "1", K::choice, {.choice = HintAfter{1}}},
        {"N84", "N82", nullptr, "2", K::choice, {.choice = HintAfter{2}}},
        {"N85", "N82", nullptr, "3", K::choice, {.choice = HintAfter{3}}},
        {"N86", "N82", nullptr, "4", K::choice, {.choice = HintAfter{4}}},
        {"N87", "N82", nullptr, "5", K::choice, {.choice = HintAfter{5}}},
        {"N88", "N82", nullptr, "6", K::choice, {.choice = HintAfter{6}}},
        {"N89", "N82", nullptr, "7", K::choice, {.choice = HintAfter{7}}},
        {"N90", "N82", nullptr, "8", K::choice, {.choice = HintAfter{8}}},
        {"N91", "N82", nullptr, "9", K::choice, {.choice = HintAfter{9}}},
        {"N92", "N82", text_key::never_item, "從不", K::choice, {.choice = HintAfter{0}}},
        {"N93", "N73", text_key::give_after_menu, "再錯幾次後代寫", K::submenu},
        {"N94", "N93", nullptr, "1", K::choice, {.choice = GiveAfter{1}}},
        {"N95", "N93", nullptr, "2", K::choice, {.choice = GiveAfter{2}}},
        {"N96", "N93", nullptr, "3", K::choice, {.choice = GiveAfter{3}}},
        {"N97", "N93", nullptr, "4", K::choice, {.choice = GiveAfter{4}}},
        {"N98", "N93", nullptr, "5", K::choice, {.choice = GiveAfter{5}}},
        {"N99", "N93", nullptr, "6", K::choice, {.choice = GiveAfter{6}}},
        {"N100", "N93", nullptr, "7", K::choice, {.choice = GiveAfter{7}}},
        {"N101", "N93", nullptr, "8", K::choice, {.choice = GiveAfter{8}}},
        {"N102", "N93", nullptr, "9", K::choice, {.choice = GiveAfter{9}}},
        {"N103", "N93", text_key::never_item, "從不", K::choice, {.choice = GiveAfter{0}}},
        {"N104", "N73", text_key::leniency_menu, "寬嚴", K::submenu},
        {"N105", "N104", text_key::strict_item, "嚴格", K::choice, {.choice = Leniency::strict}},
        {"N106", "N104", text_key::normal_item, "一般", K::choice, {.choice = Leniency::normal}},
        {"N107", "N104", text_key::lenient_item, "寬鬆", K::choice, {.choice = Leniency::lenient}},
        {"N76", "N73", nullptr, "-", K::separator},
        {"N77", "N73", text_key::practice_take_back_item, "收回一筆", K::command, {.handler = &F::N77Click, .shortcut = QKeySequence(Qt::Key_Backspace), .enabled = practising}},
        {"N78", "N73", text_key::practice_skip_item, "跳過一筆", K::command, {.handler = &F::N78Click, .enabled = practising}},
        {"N79", "N73", text_key::practice_stop_item, "停止練習", K::command, {.handler = &F::N79Click, .shortcut = QKeySequence(Qt::Key_Escape), .enabled = practising}},
        {"N108", "N1", text_key::character_info_item, "字的資料", K::toggle, {.handler = &F::N108Click, .checked = character_info}},
        {"N6", nullptr, text_key::help_menu, "輔助", K::submenu},
        // No update service: the item stays greyed out.
        {"N7", "N6", text_key::software_update_item, "軟件更新...", K::command},
        {"N8", "N6", text_key::manual_item, "使用說明", K::command, {.handler = &F::N8Click}},
        {"N22", popup_menu_name, text_key::add_flash_bar_item, "加入閃爍棒", K::command, {.handler = &F::N22Click}},
        {"N21", popup_menu_name, text_key::remove_flash_bar_item, "刪除閃爍棒", K::command, {.handler = &F::N21Click}},
        {"N12", popup_menu_name, nullptr, "-", K::separator},
        {"N25", popup_menu_name, text_key::delete_custom_popup_item, "刪除這個自定的文字", K::command, {.handler = &F::N25Click}},
        {"N51", popup_menu_name, nullptr, "-", K::separator},
        {"N5", popup_menu_name, text_key::stay_on_top_item, "置於螢光幕最上層", K::toggle, {.handler = &F::N5Click, .checked = stays_on_top}},
        {"N4", popup_menu_name, text_key::about_caption, "關於本軟件.....", K::command, {.handler = &F::N4Click}},
    };
    // clang-format on
    return entries;
}

std::optional<bool> check_mark(const MenuEntry& entry, const Shell& shell) {
    if (entry.wiring.checked != nullptr) {
        return entry.wiring.checked(shell);
    }
    if (!std::holds_alternative<std::monostate>(entry.wiring.choice)) {
        return shell.in_force(entry.wiring.choice);
    }
    return std::nullopt;
}

}  // namespace inkwren

// The keys the program looks its words up by in the language table, named for what each text
// is for, and the list of captions the main window takes from the table.
#pragma once

#include <QString>

#include <vector>

namespace inkwren {

namespace text_key {

inline constexpr auto window_caption = "9000";

// Main menu.
inline constexpr auto file_menu = "0101";
inline constexpr auto view_menu = "0102";
inline constexpr auto help_menu = "0103";
inline constexpr auto custom_characters_menu = "0104";
inline constexpr auto save_custom_item = "0105";
inline constexpr auto delete_custom_item = "0106";
inline constexpr auto animation_menu = "0107";
inline constexpr auto record_gif_item = "0108";
inline constexpr auto save_sheet_item = "0109";
inline constexpr auto sheet_settings_item = "0110";
inline constexpr auto open_workbook_item = "0111";
inline constexpr auto nine_grid_item = "0112";
inline constexpr auto pen_cursor_item = "0113";
inline constexpr auto flash_bars_item = "0114";
inline constexpr auto use_custom_item = "0115";
inline constexpr auto software_update_item = "0116";
inline constexpr auto manual_item = "0117";
inline constexpr auto language_menu = "0119";
inline constexpr auto traditional_language_item = "0120";
inline constexpr auto simplified_language_item = "0121";
inline constexpr auto english_language_item = "0122";
inline constexpr auto encoding_menu = "0183";
inline constexpr auto unicode_traditional_item = "0192";
inline constexpr auto unicode_simplified_item = "0193";
inline constexpr auto big5_item = "0184";
inline constexpr auto gb_item = "0185";
// The encoding item that is a separator line until its caption names it.
inline constexpr auto spare_encoding_item = "0186";
inline constexpr auto exit_item = "0187";
inline constexpr auto step_by_step_item = "0188";
inline constexpr auto library_menu = "0189";
inline constexpr auto traditional_library_item = "0190";
inline constexpr auto simplified_library_item = "0191";
inline constexpr auto settings_program_item = "0194";
inline constexpr auto autodetect_item = "0195";
inline constexpr auto stroke_numbers_item = "0196";
inline constexpr auto stroke_order_menu = "0197";
inline constexpr auto taiwan_standard_item = "0198";
inline constexpr auto mainland_standard_item = "0199";
inline constexpr auto smooth_gif_item = "0204";
inline constexpr auto grid_style_menu = "0205";
inline constexpr auto solid_grid_item = "0206";
inline constexpr auto dashed_grid_item = "0207";
// Beside the character field, for a typed character no library holds.
inline constexpr auto not_in_library_note = "0208";
inline constexpr auto smooth_ink_item = "0209";
// Practice writing: what the pad tells the learner of a stroke (%1 the stroke expected, %2 in the
// note of a stroke written ahead).
inline constexpr auto practice_wrong_note = "0210";
inline constexpr auto practice_backwards_note = "0211";
inline constexpr auto practice_ahead_note = "0212";
inline constexpr auto practice_hint_note = "0213";
inline constexpr auto practice_given_note = "0214";
inline constexpr auto practice_done_note = "0215";        // %1 seconds, %2 mistakes
inline constexpr auto practice_stroke_mistakes = "0237";  // %1 stroke, %2 its mistakes
// View → Practice Writing.
inline constexpr auto practice_menu = "0216";
inline constexpr auto practice_item = "0217";
inline constexpr auto practice_outline_item = "0218";
inline constexpr auto practice_take_back_item = "0219";
inline constexpr auto practice_skip_item = "0220";
inline constexpr auto practice_stop_item = "0221";
// File → Practice Review: the characters whose last writing had mistakes.
inline constexpr auto practice_review_item = "0222";
inline constexpr auto practice_review_text = "0223";
inline constexpr auto practice_review_line = "0224";  // %1 character, %2 mistakes, %3 date
inline constexpr auto practise_these_button = "0225";
inline constexpr auto worksheet_of_these_button = "0226";
inline constexpr auto close_button = "0227";
inline constexpr auto no_mistakes_notice = "0228";
inline constexpr auto worksheet_written_notice = "0229";  // %1 the file
inline constexpr auto hint_after_menu = "0230";
inline constexpr auto never_item = "0231";
inline constexpr auto give_after_menu = "0232";
inline constexpr auto leniency_menu = "0233";
inline constexpr auto strict_item = "0234";
inline constexpr auto normal_item = "0235";
inline constexpr auto lenient_item = "0236";
// View → Character Information, and the strip's words (%1 the radical, %2 its number; %1 the
// count; %1 the other forms).
inline constexpr auto character_info_item = "0238";
inline constexpr auto info_radical = "0239";
inline constexpr auto info_strokes = "0260";
inline constexpr auto info_simplified_form = "0261";
inline constexpr auto info_traditional_form = "0262";

// The playback menu: the keyboard lesson on the pad.
inline constexpr auto playback_menu = "0240";
inline constexpr auto play_pause_item = "0241";
inline constexpr auto next_stroke_item = "0242";
inline constexpr auto previous_stroke_item = "0243";
inline constexpr auto no_strokes_item = "0244";
inline constexpr auto whole_character_item = "0245";
inline constexpr auto loop_item = "0246";
inline constexpr auto faster_item = "0247";
inline constexpr auto slower_item = "0248";

// Hints of the writing pad's buttons, character field and sliders.
inline constexpr auto grey_first_hint = "8000";
inline constexpr auto two_colour_hint = "8001";
inline constexpr auto replay_hint = "8002";
inline constexpr auto pause_hint = "8003";
inline constexpr auto stop_hint = "8004";
inline constexpr auto zoom_hint = "8005";
inline constexpr auto character_field_hint = "8006";
inline constexpr auto pen_speed_hint = "8007";
inline constexpr auto stroke_interval_hint = "8008";

// Pop-up menu of the writing area.
inline constexpr auto add_flash_bar_item = "0200";
inline constexpr auto remove_flash_bar_item = "0201";
inline constexpr auto delete_custom_popup_item = "0202";
inline constexpr auto stay_on_top_item = "0203";
// Also the caption of the about message.
inline constexpr auto about_caption = "1020";

// The about message: the window caption's text, "  , " and this.
inline constexpr auto about_text = "9002";

// Custom characters.
inline constexpr auto save_custom_question = "1001";
inline constexpr auto custom_saved_notice = "1002";
inline constexpr auto delete_custom_question = "1003";
inline constexpr auto custom_deleted_notice = "1004";
inline constexpr auto no_custom_to_delete_notice = "1005";
inline constexpr auto custom_not_deleted_notice = "1008";

// Missing files. The two "archive missing" texts are followed by reinstall_advice.
inline constexpr auto archive_missing_at_start_text = "1009";
inline constexpr auto file_missing_caption = "1013";
inline constexpr auto archive_missing_for_character_text = "1012";
inline constexpr auto archive_missing_for_pad_text = "1023";
inline constexpr auto pad_not_shown_caption = "1024";
inline constexpr auto reinstall_advice = "1026";
// Shown as this, ":", the file name, two blanks and missing_start_character_text.
inline constexpr auto damaged_file_text = "1033";
inline constexpr auto missing_start_character_text = "1034";

// Strokes and output.
inline constexpr auto no_stroke_selected_notice = "1029";
// Followed by the name of the missing picture.
inline constexpr auto background_picture_missing_warning = "1030";
inline constexpr auto gif_saved_notice = "1031";
inline constexpr auto empty_stroke_file_note = "1032";
inline constexpr auto no_sheet_pictures_notice = "1035";

// The stroke-order sheet's number label: prefix, number, suffix ("第", n, "劃").
inline constexpr auto sheet_number_prefix = "8501";
inline constexpr auto sheet_number_suffix = "8502";
// The note on the pad and the sheets of a character that keeps the mainland's form in Taiwan's
// stroke order.
inline constexpr auto mainland_form_note = "8503";

// The sheet settings dialog: its caption, labels, buttons, group captions and group items.
inline constexpr auto sheet_dialog_caption = "0401";
inline constexpr auto sheet_output_folder_label = "0402";
inline constexpr auto sheet_browse_button = "0403";
inline constexpr auto sheet_pictures_heading = "0404";
inline constexpr auto sheet_per_row_label = "0405";
inline constexpr auto sheet_numbers_check = "0406";
inline constexpr auto sheet_font_button = "0407";
inline constexpr auto sheet_underlay_check = "0408";
inline constexpr auto sheet_grid_check = "0409";
inline constexpr auto sheet_numeral_kind_group = "0410";
inline constexpr auto sheet_chinese_numerals_option = "0411";
inline constexpr auto sheet_arabic_numerals_option = "0412";
inline constexpr auto sheet_number_style_group = "0413";
inline constexpr auto sheet_labelled_number_option = "0414";
inline constexpr auto sheet_number_only_option = "0415";
inline constexpr auto sheet_align_left_option = "0416";
inline constexpr auto sheet_align_centre_option = "0417";
inline constexpr auto sheet_align_right_option = "0418";
inline constexpr auto sheet_picture_content_group = "0419";
inline constexpr auto sheet_underlay_only_option = "0420";
inline constexpr auto sheet_one_stroke_option = "0421";
inline constexpr auto sheet_strokes_so_far_option = "0422";
inline constexpr auto sheet_grid_style_group = "0423";
inline constexpr auto sheet_solid_line_option = "0424";
inline constexpr auto sheet_dashed_line_option = "0425";
inline constexpr auto sheet_dotted_line_option = "0426";
inline constexpr auto sheet_colour_mode_group = "0427";
inline constexpr auto sheet_own_colours_option = "0428";
inline constexpr auto sheet_two_colours_option = "0429";
inline constexpr auto sheet_black_option = "0430";
inline constexpr auto sheet_main_colour_label = "0431";
inline constexpr auto sheet_second_colour_label = "0432";
inline constexpr auto sheet_ok_button = "0433";
inline constexpr auto sheet_cancel_button = "0434";
// Its check box for the reading and meaning under sheets.
inline constexpr auto sheet_info_line_check = "0250";

// The caption of the user-language menu item; only a user's own language file holds it.
inline constexpr auto user_language_caption = "LANGUAGE";

}  // namespace text_key

// The window or control a key gives its caption (or, for a hint, its hint), by designer name.
// "Form1" is the main window itself. The menu items name their keys in the menu table.
struct CaptionTarget {
    const char* key;
    const char* item;
    bool hint;
};

// What the main window takes from the table whenever captions are applied, in that order.
const std::vector<CaptionTarget>& caption_targets();

// The sheet settings dialog's keys, "0401" to "0434".
std::vector<QString> sheet_dialog_keys();

// Every key the program asks the table for outside the menus, each once, except the
// user-language caption. With the menu table's keys, what every language file we ship must hold.
std::vector<QString> all_text_keys();

}  // namespace inkwren

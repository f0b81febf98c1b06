#include "langtable/text_keys.h"

namespace inkwren {

using namespace text_key;

const std::vector<CaptionTarget>& caption_targets() {
    static const std::vector<CaptionTarget> targets = {
        {window_caption, "Form1", false},
        {file_menu, "N11", false},
        {view_menu, "N1", false},
        {help_menu, "N6", false},
        {custom_characters_menu, "N16", false},
        {save_custom_item, "N17", false},
        {delete_custom_item, "N19", false},
        {animation_menu, "N14", false},
        {record_gif_item, "Gif1", false},
        {save_sheet_item, "N28", false},
        {sheet_settings_item, "N26", false},
        {open_workbook_item, "N27", false},
        {nine_grid_item, "N2", false},
        {pen_cursor_item, "N13", false},
        {flash_bars_item, "N20", false},
        {use_custom_item, "n18", false},
        {software_update_item, "N7", false},
        {manual_item, "N8", false},
        {language_menu, "N30", false},
        {traditional_language_item, "N31", false},
        {simplified_language_item, "N32", false},
        {english_language_item, "N33", false},
        {encoding_menu, "N34", false},
        {unicode_traditional_item, "n35", false},
        {unicode_simplified_item, "n36", false},
        {big5_item, "n37", false},
        {gb_item, "n60", false},
        {spare_encoding_item, "n61", false},
        {exit_item, "N38", false},
        {step_by_step_item, "N39", false},
        {library_menu, "N43", false},
        {traditional_library_item, "N41", false},
        {simplified_library_item, "N42", false},
        {settings_program_item, "N47", false},
        {autodetect_item, "N50", false},
        {grey_first_hint, "SpeedButton1", true},
        {two_colour_hint, "SpeedButton2", true},
        {replay_hint, "SpeedButton3", true},
        {pause_hint, "SpeedButton4", true},
        {stop_hint, "SpeedButton5", true},
        {zoom_hint, "SpeedButton6", true},
        {character_field_hint, "zi_inputfield1", true},
        {pen_speed_hint, "TrackBar1", true},
        {stroke_interval_hint, "TrackBar2", true},
        {add_flash_bar_item, "N22", false},
        {remove_flash_bar_item, "N21", false},
        {delete_custom_popup_item, "N25", false},
        {stay_on_top_item, "N5", false},
        {about_caption, "N4", false},
    };
    return targets;
}

std::vector<QString> sheet_dialog_keys() {
    return {
        sheet_dialog_caption,        sheet_output_folder_label,     sheet_browse_button,
        sheet_pictures_heading,      sheet_per_row_label,           sheet_numbers_check,
        sheet_font_button,           sheet_underlay_check,          sheet_grid_check,
        sheet_numeral_kind_group,    sheet_chinese_numerals_option, sheet_arabic_numerals_option,
        sheet_number_style_group,    sheet_labelled_number_option,  sheet_number_only_option,
        sheet_align_left_option,     sheet_align_centre_option,     sheet_align_right_option,
        sheet_picture_content_group, sheet_underlay_only_option,    sheet_one_stroke_option,
        sheet_strokes_so_far_option, sheet_grid_style_group,        sheet_solid_line_option,
        sheet_dashed_line_option,    sheet_dotted_line_option,      sheet_colour_mode_group,
        sheet_own_colours_option,    sheet_two_colours_option,      sheet_black_option,
        sheet_main_colour_label,     sheet_second_colour_label,     sheet_ok_button,
        sheet_cancel_button};
}

std::vector<QString> all_text_keys() {
    std::vector<QString> keys;
    for (const CaptionTarget& target : caption_targets()) {
        keys.emplace_back(target.key);
    }
    // The about caption is already there, as the caption of its pop-up item.
    for (const char* message_key : {about_text,
                                    save_custom_question,
                                    custom_saved_notice,
                                    delete_custom_question,
                                    custom_deleted_notice,
                                    no_custom_to_delete_notice,
                                    custom_not_deleted_notice,
                                    archive_missing_at_start_text,
                                    file_missing_caption,
                                    archive_missing_for_character_text,
                                    archive_missing_for_pad_text,
                                    pad_not_shown_caption,
                                    reinstall_advice,
                                    damaged_file_text,
                                    missing_start_character_text,
                                    no_stroke_selected_notice,
                                    background_picture_missing_warning,
                                    gif_saved_notice,
                                    empty_stroke_file_note,
                                    sheet_number_prefix,
                                    sheet_number_suffix}) {
        keys.emplace_back(message_key);
    }
    for (QString& key : sheet_dialog_keys()) {
        keys.push_back(std::move(key));
    }
    return keys;
}

}  // namespace inkwren

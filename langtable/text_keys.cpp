#include "langtable/text_keys.h"

namespace inkwren {

using namespace text_key;

const std::vector<CaptionTarget>& caption_targets() {
    static const std::vector<CaptionTarget> targets = {
        {window_caption, "Form1", false},        {grey_first_hint, "SpeedButton1", true},
        {two_colour_hint, "SpeedButton2", true}, {replay_hint, "SpeedButton3", true},
        {pause_hint, "SpeedButton4", true},      {stop_hint, "SpeedButton5", true},
        {zoom_hint, "SpeedButton6", true},       {character_field_hint, "zi_inputfield1", true},
        {pen_speed_hint, "TrackBar1", true},     {stroke_interval_hint, "TrackBar2", true},
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
        sheet_cancel_button,         sheet_info_line_check};
}

std::vector<QString> all_text_keys() {
    std::vector<QString> keys;
    for (const CaptionTarget& target : caption_targets()) {
        keys.emplace_back(target.key);
    }
    for (const char* message_key : {about_caption,
                                    about_text,
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
                                    no_sheet_pictures_notice,
                                    sheet_number_prefix,
                                    sheet_number_suffix,
                                    mainland_form_note,
                                    not_in_library_note,
                                    practice_wrong_note,
                                    practice_backwards_note,
                                    practice_ahead_note,
                                    practice_hint_note,
                                    practice_given_note,
                                    practice_done_note,
                                    practice_stroke_mistakes,
                                    info_radical,
                                    info_strokes,
                                    info_simplified_form,
                                    info_traditional_form,
                                    practice_review_text,
                                    practice_review_line,
                                    practise_these_button,
                                    worksheet_of_these_button,
                                    close_button,
                                    no_mistakes_notice,
                                    worksheet_written_notice}) {
        keys.emplace_back(message_key);
    }
    for (QString& key : sheet_dialog_keys()) {
        keys.push_back(std::move(key));
    }
    return keys;
}

}  // namespace inkwren

// How well and how fast the practice judge tells strokes apart, over every character of both
// archives at the smallest and a large pad: each stroke's own median, written as a mouse gives
// it (whole pixels, a pixel of jitter, a point every few pixels), should be accepted; reversed,
// judged backwards; and a stroke written while the one before it is expected, not accepted.
// Then the time of judging the longest strokes. A timing program, since it runs for minutes.
#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "platform/code_page.h"
#include "platform/error.h"
#include "practice/stroke_judge.h"
#include "strokes/em_square.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);

constexpr double mouse_step = 3;  // pad pixels between the points a mouse reports
constexpr int slowest_strokes = 200;
// A learner's slip, in pixels of the unzoomed pad: how far the whole stroke lands off its place.
constexpr double slip_pixels = 10;

struct Character {
    QString name;
    std::vector<Median> medians;
};

// Every character of an archive as a pad of this zoom holds it.
std::vector<Character> load_archive(const char* archive, int code_page, IndexColumn column,
                                    double scale) {
    const QString data = installation + u'/' + QString::fromLatin1(archive);
    const QString index = installation + u'/' + index_file_name(QString::fromLatin1(archive));
    std::vector<Character> characters;
    std::int64_t offset = 0;
    int position = 0;
    for (const IndexEntry& entry : read_index(index)) {
        const IndexMatch match{entry, offset, position++};
        offset += entry.packed_size;
        const QByteArray key = column == IndexColumn::gb ? entry.gb_name : entry.big5_name;
        const QString name = from_code_page(key.trimmed().left(2), code_page);
        try {
            const TObjList records =
                parse_stroke_text(read_entry_text(data, match), name, EndMarkerKind::keep_pen_up);
            characters.push_back(
                {name, medians_of(split_strokes(scaled_records(records, scale)), scale)});
        } catch (const Error& error) {
            std::printf("skipped %s: %s\n", qPrintable(name), qPrintable(error.message()));
        }
    }
    return characters;
}

// The median as a learner's mouse would give it on the pad, back in em units.
Polyline written_by_mouse(const Median& median, double scale, std::mt19937& random) {
    Polyline pad;
    for (const QPointF& point : median) {
        pad.push_back(pad_point_of_em(point, scale));
    }
    const int count = std::max(2, int(std::ceil(polyline_length(pad) / mouse_step)) + 1);
    std::uniform_int_distribution<int> jitter(-1, 1);
    Polyline em;
    for (const QPointF& point : resampled(pad, count)) {
        const QPointF mouse(std::round(point.x()) + jitter(random),
                            std::round(point.y()) + jitter(random));
        em.push_back(em_of_pad_point(mouse, scale));
    }
    return em;
}

const char* miss_name(Miss miss) {
    switch (miss) {
        case Miss::none:
            return "none";
        case Miss::start:
            return "start";
        case Miss::end:
            return "end";
        case Miss::length:
            return "length";
        case Miss::direction:
            return "direction";
        case Miss::distance:
            return "distance";
        case Miss::shape:
            return "shape";
    }
    return "?";
}

const char* verdict_name(Verdict verdict) {
    switch (verdict) {
        case Verdict::correct:
            return "correct";
        case Verdict::wrong:
            return "wrong";
        case Verdict::backwards:
            return "backwards";
        case Verdict::later_stroke:
            return "later stroke";
        case Verdict::too_short:
            return "too short";
    }
    return "?";
}

// One of the measures: how often a judgement came out as wanted, and what it said otherwise.
struct Check {
    explicit Check(const char* measured) : title(measured) {}

    const char* title;
    long hits = 0;
    long total = 0;
    std::map<std::string, long> counts;
    std::vector<std::string> examples;

    void count(bool hit, const Judgement& judgement, const QString& character, int stroke) {
        ++total;
        if (hit) {
            ++hits;
            return;
        }
        const std::string what =
            std::string(verdict_name(judgement.verdict)) + "/" + miss_name(judgement.miss);
        ++counts[what];
        if (examples.size() < 12) {
            examples.push_back(what + " " + character.toStdString() + " stroke " +
                               std::to_string(stroke + 1));
        }
    }
    double percent() const { return total > 0 ? 100.0 * double(hits) / double(total) : 0; }
    void print(const char* figure) const {
        std::printf("  %s: %.2f %% of %ld\n", figure, percent(), total);
        if (!counts.empty()) {
            std::printf("   ");
            for (const auto& [what, count] : counts) {
                std::printf(" %s %ld;", what.c_str(), count);
            }
            std::printf("\n");
        }
        if (qEnvironmentVariableIsSet("PRACTICE_EXAMPLES")) {
            for (const std::string& example : examples) {
                std::printf("    %s\n", example.c_str());
            }
        }
    }
};

struct Timed {
    double length = 0;
    const Character* character = nullptr;
    int stroke = 0;
    Polyline written;
};

void time_longest(std::vector<Timed> strokes) {
    std::sort(strokes.begin(), strokes.end(),
              [](const Timed& a, const Timed& b) { return a.length > b.length; });
    strokes.resize(std::min<std::size_t>(strokes.size(), slowest_strokes));
    double sum = 0;
    double worst = 0;
    for (const Timed& timed : strokes) {
        // The best of a few runs, the machine being shared.
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const Judgement judgement =
                judge_stroke(timed.written, timed.character->medians, timed.stroke);
            const auto end = std::chrono::steady_clock::now();
            if (judgement.verdict == Verdict::too_short) {
                std::printf("?");
            }
            best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
        }
        sum += best;
        worst = std::max(worst, best);
    }
    std::printf("  judging the %zu longest strokes: mean %.4f ms, worst %.4f ms a stroke\n",
                strokes.size(), sum / double(strokes.size()), worst);
}

void measure(int pad_side, const JudgeOptions& options) {
    const double scale = pad_side / 200.0;
    std::vector<Character> characters =
        load_archive(simplified_archive, gbk_code_page, IndexColumn::gb, scale);
    std::vector<Character> traditional =
        load_archive(traditional_archive, big5_code_page, IndexColumn::big5, scale);
    const std::size_t simplified_count = characters.size();
    characters.insert(characters.end(), traditional.begin(), traditional.end());

    std::mt19937 random(pad_side);
    Check accepted("own median accepted");
    Check backwards("reversed judged backwards (strokes longer than a dot)");
    Check next("stroke k+1 not accepted for stroke k");
    Check slipped("own median slipped by a few pixels accepted");
    std::uniform_real_distribution<double> slip_angle(0, 2 * 3.14159265358979);
    std::vector<Timed> timed;
    for (const Character& character : characters) {
        const std::vector<Median>& medians = character.medians;
        for (int stroke = 0; stroke < int(medians.size()); ++stroke) {
            const Median& median = medians[std::size_t(stroke)];
            if (median.empty()) {
                continue;
            }
            const Polyline mine = written_by_mouse(median, scale, random);
            const auto judged = [&](const Polyline& written, int expected) {
                return judge_stroke(written, medians, expected, options);
            };
            const Judgement own = judged(mine, stroke);
            accepted.count(own.verdict == Verdict::correct, own, character.name, stroke);
            const double angle = slip_angle(random);
            const QPointF slip =
                QPointF(std::cos(angle), std::sin(angle)) * slip_pixels / pixels_per_unit;
            Polyline moved;
            for (const QPointF& point : mine) {
                moved.push_back(point + slip);
            }
            const Judgement off = judged(moved, stroke);
            slipped.count(off.verdict == Verdict::correct, off, character.name, stroke);
            const double length = polyline_length(median);
            timed.push_back({length, &character, stroke, mine});
            if (length >= dot_length) {
                const Judgement back = judged(reversed(mine), stroke);
                backwards.count(back.verdict == Verdict::backwards, back, character.name, stroke);
            }
            if (stroke > 0 && !medians[std::size_t(stroke) - 1].empty()) {
                const Judgement ahead = judged(mine, stroke - 1);
                next.count(ahead.verdict != Verdict::correct, ahead, character.name, stroke - 1);
            }
        }
    }
    std::printf("pad %d, %s%s: %zu + %zu characters\n", pad_side,
                options.leniency == Leniency::strict    ? "strict"
                : options.leniency == Leniency::lenient ? "lenient"
                                                        : "normal",
                options.outline_shown ? ", outline shown" : "", simplified_count,
                characters.size() - simplified_count);
    for (const Check* check : {&accepted, &backwards, &next, &slipped}) {
        check->print(check->title);
    }
    if (options.leniency == Leniency::normal && !options.outline_shown) {
        time_longest(std::move(timed));
    }
}

}  // namespace

// The pad sides to measure at may be given, 200 and 650 when none are.
int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is known
    std::vector<int> pad_sides;
    for (int arg = 1; arg < argc; ++arg) {
        pad_sides.push_back(std::atoi(argv[arg]));
    }
    if (pad_sides.empty()) {
        pad_sides = {200, 650};
    }
    for (const int pad_side : pad_sides) {
        measure(pad_side, {});
        if (qEnvironmentVariableIsSet("PRACTICE_ALL_OPTIONS")) {
            measure(pad_side, {Leniency::strict, false});
            measure(pad_side, {Leniency::lenient, false});
            measure(pad_side, {Leniency::normal, true});
        }
    }
    return 0;
}

#include "charinfo/syllable.h"

#include <QHash>

#include <algorithm>
#include <string_view>

namespace inkwren {
namespace {

// Every toneless syllable Unihan's Mandarin readings use, with ê, ng, hng and dia, which it
// lacks. Left out: "wong" (one rare character), which zhuyin cannot tell from "weng".
// One line per group of initials, the syllables split at spaces.
constexpr std::u16string_view syllable_lines[] = {
    u"a ai an ang ao o ou e ê ei en eng er m n ng hm hng",
    u"ba bo bai bei bao ban ben bang beng bi bie biao bian bin bing biang bu pa po pai pei pao"
    u" pou pan pen pang peng pi pie piao pian pin ping pu ma mo me mai mei mao mou man men mang"
    u" meng mi mie miao miu mian min ming mu fa fo fei fou fan fen fang feng fiao fu",
    u"da de dai dei dao dou dan den dang deng dong di dia die diao diu dian din ding du duo"
    u" dui duan dun ta te tai tao tou tan tang teng tong ti tie tiao tian ting tu tuo tui tuan"
    u" tun na ne nai nei nao nou nan nen nang neng nong ni nie niao niu nian nin niang ning nu"
    u" nuo nuan nun nü nüe la lo le lai lei lao lou lan lang leng long li lia lie liao liu lian"
    u" lin liang ling lu luo luan lun lü lüe",
    u"ga ge gai gei gao gou gan gen gang geng gong gu gua guo guai gui guan gun guang ka ke"
    u" kai kei kao kou kan ken kang keng kong ku kua kuo kuai kui kuan kun kuang ha he hai hei"
    u" hao hou han hen hang heng hong hu hua huo huai hui huan hun huang",
    u"ji jia jie jiao jiu jian jin jiang jing jiong ju jue juan jun qi qia qie qiao qiu qian"
    u" qin qiang qing qiong qu que quan qun xi xia xie xiao xiu xian xin xiang xing xiong xu"
    u" xue xuan xun",
    u"zha zhe zhi zhai zhao zhou zhan zhen zhang zheng zhong zhu zhua zhuo zhuai zhui zhuan"
    u" zhun zhuang cha che chi chai chao chou chan chen chang cheng chong chu chua chuo chuai"
    u" chui chuan chun chuang sha she shi shai shei shao shou shan shen shang sheng shu shua"
    u" shuo shuai shui shuan shun shuang re ri rao rou ran ren rang reng rong ru rua ruo rui"
    u" ruan run",
    u"za ze zi zai zei zao zou zan zen zang zeng zong zu zuo zui zuan zun ca ce ci cai cei cao"
    u" cou can cen cang ceng cong cu cuo cui cuan cun sa se si sai sao sou san sen sang seng"
    u" song su suo sui suan sun",
    u"yi ya yo ye yao you yan yin yang ying yong yu yue yuan yun wu wa wo wai wei wan wen wang"
    u" weng",
};

struct Pair {
    std::u16string_view from;
    std::u16string_view to;
};

// Syllables whose zhuyin follows no initial-and-final rule.
constexpr Pair whole_syllables[] = {
    {u"m", u"ㄇ"},     {u"n", u"ㄋ"}, {u"ng", u"ㄫ"}, {u"hm", u"ㄏㄇ"},
    {u"hng", u"ㄏㄫ"}, {u"ê", u"ㄝ"}, {u"er", u"ㄦ"},
};

// Two-letter initials come first so that "zh" is not read as "z".
constexpr Pair initials[] = {
    {u"zh", u"ㄓ"}, {u"ch", u"ㄔ"}, {u"sh", u"ㄕ"}, {u"b", u"ㄅ"}, {u"p", u"ㄆ"}, {u"m", u"ㄇ"},
    {u"f", u"ㄈ"},  {u"d", u"ㄉ"},  {u"t", u"ㄊ"},  {u"n", u"ㄋ"}, {u"l", u"ㄌ"}, {u"g", u"ㄍ"},
    {u"k", u"ㄎ"},  {u"h", u"ㄏ"},  {u"j", u"ㄐ"},  {u"q", u"ㄑ"}, {u"x", u"ㄒ"}, {u"r", u"ㄖ"},
    {u"z", u"ㄗ"},  {u"c", u"ㄘ"},  {u"s", u"ㄙ"},
};

// Finals in their full form, before pinyin's abbreviations (iou for iu, uei for ui, ...).
constexpr Pair finals[] = {
    {u"", u""},         {u"a", u"ㄚ"},      {u"o", u"ㄛ"},     {u"e", u"ㄜ"},
    {u"ai", u"ㄞ"},     {u"ei", u"ㄟ"},     {u"ao", u"ㄠ"},    {u"ou", u"ㄡ"},
    {u"an", u"ㄢ"},     {u"en", u"ㄣ"},     {u"ang", u"ㄤ"},   {u"eng", u"ㄥ"},
    {u"ong", u"ㄨㄥ"},  {u"i", u"ㄧ"},      {u"ia", u"ㄧㄚ"},  {u"io", u"ㄧㄛ"},
    {u"ie", u"ㄧㄝ"},   {u"iao", u"ㄧㄠ"},  {u"iou", u"ㄧㄡ"}, {u"ian", u"ㄧㄢ"},
    {u"in", u"ㄧㄣ"},   {u"iang", u"ㄧㄤ"}, {u"ing", u"ㄧㄥ"}, {u"iong", u"ㄩㄥ"},
    {u"u", u"ㄨ"},      {u"ua", u"ㄨㄚ"},   {u"uo", u"ㄨㄛ"},  {u"uai", u"ㄨㄞ"},
    {u"uei", u"ㄨㄟ"},  {u"uan", u"ㄨㄢ"},  {u"uen", u"ㄨㄣ"}, {u"uang", u"ㄨㄤ"},
    {u"ueng", u"ㄨㄥ"}, {u"ü", u"ㄩ"},      {u"üe", u"ㄩㄝ"},  {u"üan", u"ㄩㄢ"},
    {u"ün", u"ㄩㄣ"},
};

QStringView view(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<QStringView> look_up(const auto& pairs, QStringView key) {
    for (const Pair& pair : pairs) {
        if (view(pair.from) == key) {
            return view(pair.to);
        }
    }
    return std::nullopt;
}

QString joined(QStringView first, QStringView second) {
    QString whole = first.toString();
    whole.append(second);
    return whole;
}

// Pinyin writes a syllable with no initial with y or w in place of its medial.
QString final_without_initial(QStringView letters) {
    if (letters.startsWith(u"yu")) {
        return joined(u"ü", letters.mid(2));
    }
    if (letters.startsWith(u"yi")) {
        return joined(u"i", letters.mid(2));
    }
    if (letters.startsWith(u"wu")) {
        return joined(u"u", letters.mid(2));
    }
    if (letters.startsWith(u'y')) {
        return joined(u"i", letters.mid(1));
    }
    if (letters.startsWith(u'w')) {
        return joined(u"u", letters.mid(1));
    }
    return letters.toString();
}

// zhi, chi, shi, ri, zi, ci, si write their initial alone in zhuyin.
bool buzzes(QStringView initial) {
    for (const std::u16string_view each : {u"zh", u"ch", u"sh", u"r", u"z", u"c", u"s"}) {
        if (initial == view(each)) {
            return true;
        }
    }
    return false;
}

QString full_final(QStringView initial, QStringView final_) {
    if (initial.isEmpty()) {
        return final_without_initial(final_);
    }
    if ((initial == u"j" || initial == u"q" || initial == u"x") && final_.startsWith(u'u')) {
        return joined(u"ü", final_.mid(1));
    }
    if (final_ == u"i" && buzzes(initial)) {
        return {};
    }
    for (const Pair& abbreviated :
         {Pair{u"iu", u"iou"}, Pair{u"ui", u"uei"}, Pair{u"un", u"uen"}}) {
        if (final_ == view(abbreviated.from)) {
            return view(abbreviated.to).toString();
        }
    }
    return final_.toString();
}

QString derive_zhuyin(QStringView letters) {
    if (const auto whole = look_up(whole_syllables, letters)) {
        return whole->toString();
    }
    QStringView initial;
    for (const Pair& pair : initials) {
        if (letters.startsWith(view(pair.from))) {
            initial = view(pair.from);
            break;
        }
    }
    const QString final_ = full_final(initial, letters.mid(initial.size()));
    const auto final_zhuyin = look_up(finals, final_);
    if (!final_zhuyin) {
        return {};
    }
    const QString initial_zhuyin =
        initial.isEmpty() ? QString() : look_up(initials, initial)->toString();
    return initial_zhuyin + final_zhuyin->toString();
}

struct Tables {
    QStringList syllables;
    QHash<QString, QString> zhuyin_by_letters;
    QHash<QString, QString> letters_by_zhuyin;
};

const Tables& tables() {
    static const Tables built = [] {
        Tables made;
        for (const std::u16string_view line : syllable_lines) {
            for (const QString& key : view(line).toString().split(u' ')) {
                const QString zhuyin = derive_zhuyin(key);
                made.syllables.append(key);
                made.zhuyin_by_letters.insert(key, zhuyin);
                made.letters_by_zhuyin.insert(zhuyin, key);
            }
        }
        made.syllables.sort();
        return made;
    }();
    return built;
}

// Tone marks as combining characters, which is how they stand after NFD.
constexpr char16_t combining_tone_marks[] = {0, 0x0304, 0x0301, 0x030C, 0x0300};
constexpr char16_t combining_breve = 0x0306;  // often typed for the third tone's caron
constexpr char16_t combining_diaeresis = 0x0308;
constexpr char16_t combining_circumflex = 0x0302;

int tone_of_combining_mark(QChar mark) {
    if (mark == QChar(combining_breve)) {
        return 3;
    }
    const auto* found = std::find(std::begin(combining_tone_marks) + 1,
                                  std::end(combining_tone_marks), mark.unicode());
    return found == std::end(combining_tone_marks)
               ? 0
               : static_cast<int>(found - std::begin(combining_tone_marks));
}

// The toneless letters and the tone a mark gave; nullopt for anything but letters and marks.
std::optional<Syllable> split_marks(const QString& decomposed) {
    Syllable split;
    for (const QChar c : decomposed) {
        if (c >= u'a' && c <= u'z') {
            split.letters.append(c);
        } else if (c == QChar(combining_diaeresis) && split.letters.endsWith(u'u')) {
            split.letters.back() = u'ü';
        } else if (c == QChar(combining_circumflex) && split.letters.endsWith(u'e')) {
            split.letters.back() = u'ê';
        } else if (const int tone = tone_of_combining_mark(c); tone != 0 && split.tone == 0) {
            split.tone = tone;
        } else {
            return std::nullopt;
        }
    }
    return split;
}

// The letter that carries the tone mark.
qsizetype mark_position(const QString& letters) {
    for (const QChar vowel : {u'a', u'e', u'ê'}) {
        if (const qsizetype at = letters.indexOf(vowel); at >= 0) {
            return at;
        }
    }
    if (const qsizetype at = letters.indexOf(u"ou"); at >= 0) {
        return at;
    }
    for (qsizetype at = letters.size() - 1; at >= 0; --at) {
        if (QStringView(u"aeiouüê").contains(letters[at])) {
            return at;
        }
    }
    // m, n, ng, hm, hng: on the nasal.
    const qsizetype m = letters.indexOf(u'm');
    return m >= 0 ? m : letters.indexOf(u'n');
}

constexpr char16_t zhuyin_tone_signs[] = {0, 0x02C9, 0x02CA, 0x02C7, 0x02CB, 0x02D9};

bool is_zhuyin_letter(QChar c) {
    const char16_t code = c.unicode();
    return (code >= 0x3105 && code <= 0x312F) || (code >= 0x31A0 && code <= 0x31BF);
}

int tone_of_zhuyin_sign(QChar sign) {
    const auto* found =
        std::find(std::begin(zhuyin_tone_signs) + 1, std::end(zhuyin_tone_signs), sign.unicode());
    return found == std::end(zhuyin_tone_signs)
               ? 0
               : static_cast<int>(found - std::begin(zhuyin_tone_signs));
}

}  // namespace

const QStringList& mandarin_syllables() {
    return tables().syllables;
}

std::optional<Syllable> parse_pinyin(QStringView text) {
    QString typed = text.trimmed().toString().toLower();
    int digit_tone = 0;
    if (!typed.isEmpty() && typed.back() >= u'0' && typed.back() <= u'5') {
        digit_tone = typed.back() == u'0' ? 5 : typed.back().digitValue();
        typed.chop(1);
    }
    typed.replace(QStringLiteral("u:"), QStringLiteral("ü")).replace(u'v', u'ü');
    std::optional<Syllable> split = split_marks(typed.normalized(QString::NormalizationForm_D));
    if (!split || (digit_tone != 0 && split->tone != 0)) {
        return std::nullopt;
    }
    if (digit_tone != 0) {
        split->tone = digit_tone;
    }
    // No syllable has "ue" after l or n, so the dots may be left off there.
    if (split->letters == u"lue" || split->letters == u"nue") {
        split->letters[1] = u'ü';
    }
    if (!tables().zhuyin_by_letters.contains(split->letters)) {
        return std::nullopt;
    }
    return split;
}

std::optional<Syllable> parse_zhuyin(QStringView text) {
    QStringView body = text.trimmed();
    int tone = 0;
    if (!body.isEmpty() && tone_of_zhuyin_sign(body.front()) == 5) {
        tone = 5;
        body = body.mid(1);
    }
    if (!body.isEmpty()) {
        if (const int trailing = tone_of_zhuyin_sign(body.back()); trailing != 0) {
            if (tone != 0) {
                return std::nullopt;
            }
            tone = trailing;
            body.chop(1);
        }
    }
    const auto letters = tables().letters_by_zhuyin.constFind(body.toString());
    if (body.isEmpty() || letters == tables().letters_by_zhuyin.constEnd()) {
        return std::nullopt;
    }
    return Syllable{*letters, tone == 0 ? 1 : tone};
}

std::optional<Syllable> parse_reading(QStringView text) {
    return std::any_of(text.begin(), text.end(), is_zhuyin_letter) ? parse_zhuyin(text)
                                                                   : parse_pinyin(text);
}

QString marked_pinyin(const Syllable& syllable) {
    if (syllable.tone < 1 || syllable.tone > 4) {
        return syllable.letters;
    }
    const qsizetype at = mark_position(syllable.letters);
    if (at < 0) {
        return syllable.letters;
    }
    QString marked = syllable.letters;
    marked.insert(at + 1, QChar(combining_tone_marks[syllable.tone]));
    return marked.normalized(QString::NormalizationForm_C);
}

QString zhuyin_of(const Syllable& syllable) {
    const QString body = tables().zhuyin_by_letters.value(syllable.letters);
    if (body.isEmpty()) {
        return {};
    }
    switch (syllable.tone) {
        case 2:
        case 3:
        case 4:
            return body + QChar(zhuyin_tone_signs[syllable.tone]);
        case 5:
            return QChar(zhuyin_tone_signs[5]) + body;
        default:
            return body;
    }
}

QString zhuyin_of_pinyin(QStringView marked) {
    std::optional<Syllable> syllable = parse_pinyin(marked);
    if (!syllable) {
        return {};
    }
    // A reading as a dictionary writes it has every tone marked but the neutral one.
    if (syllable->tone == 0) {
        syllable->tone = 5;
    }
    return zhuyin_of(*syllable);
}

}  // namespace inkwren

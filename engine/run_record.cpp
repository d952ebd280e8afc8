#include "run_record.h"

#include <cstdio>
#include <ctime>

#include "number_text.h"
#include "sha256.h"

namespace kelvorad {

namespace {

std::string rowText(int row) {
    return row > 0 ? std::to_string(row) : std::string();
}

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
    if (lead == 0xE0 && byte(i + 1) < 0xA0) return 0;
    if (lead == 0xED && byte(i + 1) > 0x9F) return 0;
    if (lead == 0xF0 && byte(i + 1) < 0x90) return 0;
    if (lead == 0xF4 && byte(i + 1) > 0x8F) return 0;
    return length;
}

}  // namespace

RunRecord startRunRecord(const MethodChecks& checks, const RunChoices& choices,
                         std::string programVersion, const std::filesystem::path& input,
                         std::chrono::system_clock::time_point startedAt) {
    RunRecord record;
    record.programVersion = std::move(programVersion);
    record.startedAt = isoDateTimeUtc(startedAt);
    if (!input.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(input, error);
        record.inputPath = (error ? input : absolute).string();
        record.inputSha256 = fileSha256Hex(input).value_or("");
    }
    record.ferricScheme = choices.ferricIronCaption;
    record.pressureBars =
        choices.modelPressureBars;  // the run's pressure; the older columns take the nearest buffer
    record.checkedItems = checks.checkedNames();
    record.fullModel = checks.isChecked(MethodItem::GE08Model);
    return record;
}

void noteResultsRow(RunRecord& record, int row, std::string_view sample) {
    if (record.firstResultsRow == 0) {
        record.firstResultsRow = row;
        record.firstSample = sample;
    }
    record.lastResultsRow = row;
    record.lastSample = sample;
}

std::string isoDateTimeUtc(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::vector<std::pair<std::string, std::string>> runRecordFields(const RunRecord& record) {
    std::string items;
    for (const std::string& name : record.checkedItems) {
        if (!items.empty()) items += ' ';
        items += name;
    }
    return {
        {"Program version", record.programVersion},
        {"Started (UTC)", record.startedAt},
        {"Input file", record.inputPath},
        {"Input SHA-256", record.inputSha256},
        {"Ferric iron", record.ferricScheme},
        {"Pressure (bars)", formatNumber(record.pressureBars)},
        {"Checked option items", items},
        {"Full model", record.fullModel ? "on" : "off"},
        {"First results row", rowText(record.firstResultsRow)},
        {"First sample", record.firstSample},
        {"Last results row", rowText(record.lastResultsRow)},
        {"Last sample", record.lastSample},
    };
}

std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length > 0) {
                out.append(text.substr(i, length));
                i += length;
            } else {  // a Latin-1 byte: U+0080 to U+00FF in two UTF-8 bytes
                out.push_back(static_cast<char>(0xC0 | (c >> 6)));
                out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out.push_back(kHex[c >> 4]);
                    out.push_back(kHex[c & 0xF]);
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
        ++i;
    }
    out.push_back('"');
    return out;
}

std::string runRecordJson(const RunRecord& record) {
    std::string items = "[";
    for (std::size_t k = 0; k < record.checkedItems.size(); ++k) {
        if (k > 0) items += ", ";
        items += jsonString(record.checkedItems[k]);
    }
    items += ']';
    const auto number = [](double value) {
        const std::string text = formatNumber(value);
        return text.empty() ? std::string("null") : text;
    };
    const auto row = [](int value) {
        return value > 0 ? std::to_string(value) : std::string("null");
    };
    std::string json = "{\n";
    const auto field = [&json](std::string_view key, const std::string& value, bool last = false) {
        json += "  ";
        json += jsonString(key);
        json += ": ";
        json += value;
        json += last ? "\n" : ",\n";
    };
    field("program_version", jsonString(record.programVersion));
    field("started_at", jsonString(record.startedAt));
    field("input_file", jsonString(record.inputPath));
    field("input_sha256", jsonString(record.inputSha256));
    field("ferric_iron", jsonString(record.ferricScheme));
    field("pressure_bars", number(record.pressureBars));
    field("checked_items", items);
    field("full_model", record.fullModel ? "true" : "false");
    field("first_results_row", row(record.firstResultsRow));
    field("first_sample", jsonString(record.firstSample));
    field("last_results_row", row(record.lastResultsRow));
    field("last_sample", jsonString(record.lastSample), true);
    json += "}\n";
    return json;
}

}  // namespace kelvorad

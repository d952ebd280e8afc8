#include "run_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include "sha256.h"

using namespace kelvorad;

namespace {

// A strict reader of the JSON subset a run record uses (RFC 8259 grammar: objects, arrays,
// strings with every escape, numbers, true, false, null). It gives each top-level key's value:
// strings decoded, anything else as its JSON text. Throws on any syntax error.
class JsonObjectReader {
  public:
    explicit JsonObjectReader(std::string_view text) : text_(text) {}

    std::map<std::string, std::string> read() {
        std::map<std::string, std::string> values;
        skipBlanks();
        expect('{');
        skipBlanks();
        if (peek() != '}') {
            do {
                skipBlanks();
                const std::string key = readString();
                skipBlanks();
                expect(':');
                skipBlanks();
                values[key] = peek() == '"' ? readString() : readRawValue();
                skipBlanks();
            } while (take(','));
        }
        expect('}');
        skipBlanks();
        if (at_ != text_.size()) throw std::runtime_error("text after the object");
        return values;
    }

  private:
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool take(char c) {
        if (peek() != c) return false;
        ++at_;
        return true;
    }
    void expect(char c) {
        if (!take(c)) throw std::runtime_error(std::string("expected ") + c);
    }
    void skipBlanks() {
        while (at_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos)
            ++at_;
    }
    std::string readString() {
        expect('"');
        std::string out;
        while (true) {
            if (at_ >= text_.size()) throw std::runtime_error("unterminated string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) throw std::runtime_error("raw control");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    const unsigned code =
                        std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16);
                    at_ += 4;
                    if (code >= 0x80) throw std::runtime_error("test reader: ASCII \\u only");
                    out.push_back(static_cast<char>(code));
                    break;
                }
                default:
                    throw std::runtime_error("bad escape");
            }
        }
    }
    std::string readRawValue() {
        const std::size_t start = at_;
        if (take('[')) {
            skipBlanks();
            if (!take(']')) {
                do {
                    skipBlanks();
                    if (peek() == '"')
                        readString();
                    else
                        readRawValue();
                    skipBlanks();
                } while (take(','));
                expect(']');
            }
        } else {
            for (std::string_view word : {"true", "false", "null"}) {
                if (text_.substr(at_, word.size()) == word) {
                    at_ += word.size();
                    return std::string(word);
                }
            }
            std::size_t used = 0;
            std::stod(std::string(text_.substr(at_)), &used);
            if (used == 0) throw std::runtime_error("bad value");
            at_ += used;
        }
        return std::string(text_.substr(start, at_ - start));
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::map<std::string, std::string> parsed(const std::string& json) {
    return JsonObjectReader(json).read();
}

}  // namespace

// Published vectors: FIPS 180-2 appendix B (one block, two blocks, a million "a") and the
// empty message; the 55- and 56-byte messages straddle the padding boundary.
TEST(Sha256, MatchesPublishedVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    EXPECT_EQ(sha256Hex(std::string(55, 'a')),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(sha256Hex(std::string(56, 'a')),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
}

TEST(Sha256, FileDigestEqualsTheDigestOfItsBytesAndAMissingFileHasNone) {
    const auto path = std::filesystem::temp_directory_path() / "kelvorad_sha256_test.bin";
    std::string bytes;
    for (int k = 0; k < 200000; ++k) bytes.push_back(static_cast<char>(k * 7));
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_EQ(fileSha256Hex(path), sha256Hex(bytes));
    std::filesystem::remove(path);
    EXPECT_FALSE(fileSha256Hex(path).has_value());
}

TEST(RunRecord, HoldsTheRunsChoicesInputFingerprintAndRows) {
    const auto path = std::filesystem::temp_directory_path() / "kelvorad_run_record_input.mi";
    std::ofstream(path, std::ios::binary) << "abc";
    MethodChecks checks;
    checks.setChecked(MethodItem::Fe3Droop, true);
    checks.setChecked(MethodItem::GE08Model, true);
    const RunChoices choices = applyRunStartSteps(checks);
    RunRecord record = startRunRecord(checks, choices, "1.0.0 (git abc1234)", path,
                                      std::chrono::system_clock::from_time_t(1765303558));
    std::filesystem::remove(path);
    noteResultsRow(record, 3, "FC-1");
    noteResultsRow(record, 4, "FC-2");
    noteResultsRow(record, 5, "Pin-91");

    EXPECT_EQ(record.startedAt, "2025-12-09T18:05:58Z");
    EXPECT_EQ(record.inputSha256, sha256Hex("abc"));
    EXPECT_EQ(record.ferricScheme, "Droop (1987)");
    EXPECT_TRUE(record.fullModel);
    const std::map<std::string, std::string> fields = [&] {
        std::map<std::string, std::string> map;
        for (const auto& [label, value] : runRecordFields(record)) map[label] = value;
        return map;
    }();
    EXPECT_EQ(fields.at("Pressure (bars)"), "2000");
    EXPECT_EQ(fields.at("Full model"), "on");
    EXPECT_EQ(fields.at("First results row"), "3");
    EXPECT_EQ(fields.at("Last results row"), "5");
    EXPECT_EQ(fields.at("Last sample"), "Pin-91");
    EXPECT_NE(fields.at("Checked option items").find("mnuFe3Droop"), std::string::npos);
    EXPECT_NE(fields.at("Checked option items").find("mnuGE08Model"), std::string::npos);
    EXPECT_EQ(fields.at("Checked option items").find("mnuFe3Stormer"), std::string::npos);
}

TEST(RunRecord, JsonParsesAndEscapesEveryAwkwardCharacter) {
    RunRecord record;
    record.programVersion = "1.0.0";
    record.inputPath = "/data/\"quoted\" back\\slash\ttab\nline\x01 Ulv\xC3\xB6spinel";
    record.firstSample = "caf\xE9";  // Latin-1, not UTF-8
    record.checkedItems = {"mnuFe3Stormer", "mnuNNO2000"};
    record.pressureBars = 2000;
    const std::map<std::string, std::string> json = parsed(runRecordJson(record));
    EXPECT_EQ(json.at("input_file"), record.inputPath);
    EXPECT_EQ(json.at("first_sample"), "caf\xC3\xA9");
    EXPECT_EQ(json.at("checked_items"), "[\"mnuFe3Stormer\", \"mnuNNO2000\"]");
    EXPECT_EQ(json.at("pressure_bars"), "2000");
    EXPECT_EQ(json.at("full_model"), "false");
    EXPECT_EQ(json.at("first_results_row"), "null");  // a run that gave no row
    EXPECT_EQ(json.size(), runRecordFields(record).size());
}

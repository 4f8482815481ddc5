#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "prefs_fixture.h"
#include "settings/prefs_file.h"
#include "settings/prefs_format.h"

namespace {

// Values that differ from the defaults and from each other, so every read shows
// which entries it stored, which it kept and which a repair reset.
constexpr Values preset{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
constexpr Values sample{0, 0, 0, 1, 0, 0, 0, 0, 3, 1, 0};

// Lines first to last - 1 of the sample file.
std::string SampleLines(int first, int last = settingsCount) {
    std::string text;
    for (int i = first; i < last; ++i)
        text += std::string(settingsEntries[i].key) + "=" + std::to_string(sample[i]) + "\n";
    return text;
}

// The sample file with the value of one line replaced by raw text.
std::string SampleWith(int index, const std::string& value) {
    return SampleLines(0, index) + settingsEntries[index].key + "=" + value + "\n" +
           SampleLines(index + 1);
}

using PreferencesFileTest = ScratchFolderTest;

TEST_F(PreferencesFileTest, MissingOrEmptyLooksOnlyAtTheSize) {
    EXPECT_TRUE(PreferencesMissingOrEmpty());
    WriteFile("");
    EXPECT_TRUE(PreferencesMissingOrEmpty());
    WriteFile("\n  \n");
    EXPECT_FALSE(PreferencesMissingOrEmpty());
    WriteFile(defaultText);
    EXPECT_FALSE(PreferencesMissingOrEmpty());
}

TEST_F(PreferencesFileTest, ReadingWithoutAFileChangesNothing) {
    settings = RecordOf(preset);
    ReadPreferences(settings, settingsCount);
    EXPECT_EQ(ValuesOf(), preset);
    EXPECT_FALSE(Exists("prefs.txt"));
}

TEST_F(PreferencesFileTest, EachKeyFillsItsOwnField) {
    WriteFile(PrefsText(Values{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
    ReadPreferences(settings, settingsCount);
    const Settings& s = settings;
    EXPECT_EQ((Values{s.gofirst, s.xoro, s.controls, s.whofirst, s.player1xoro, s.player1controls,
                      s.player2controls, s.configpanel, s.res, s.bpp, s.fullscreen}),
              (Values{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

// Files that are read without a repair: the record gets the expected values and
// the file stays as it was.
struct ReadCase {
    const char* name;
    std::string text;
    Values expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class ReadKeepsFile : public ScratchFolderTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ReadKeepsFile, StoresWhatTheFileHolds) {
    WriteFile(GetParam().text);
    settings = RecordOf(preset);
    ReadPreferences(settings, settingsCount);
    EXPECT_EQ(ValuesOf(), GetParam().expected);
    EXPECT_EQ(ReadFile(), GetParam().text);
    EXPECT_EQ(prefsRepairPending, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, ReadKeepsFile,
    testing::Values(
        ReadCase{"DefaultFile", defaultText, defaultValues},
        ReadCase{"OtherValues", PrefsText(sample), sample},
        ReadCase{"CrLf", PrefsText(sample, "\r\n"), sample},
        ReadCase{"NoFinalLineBreak", SampleLines(0, 10) + "fullscreen=0", sample},
        ReadCase{"WhitespaceAfterEquals", "gofirst= \t\n0\n" + SampleLines(1), sample},
        ReadCase{"BlanksBeforeLaterKeys",
                 "gofirst=0 \n\n  xoro=0\n\t\r\ncontrols=0\n" + SampleLines(3), sample},
        // The six blanks, each before a value and between entries.
        ReadCase{"EveryBlankCharacter",
                 "gofirst= \t\n\v\f\r0 \t\n\v\f\rxoro=\v0\f" + SampleLines(2), sample},
        ReadCase{"KeysOnOneLine", PrefsText(sample, " "), sample},
        ReadCase{"KeyRightAfterDigits", PrefsText(sample, ""), sample},
        ReadCase{"TextAfterLastValueIgnored", PrefsText(sample) + "fullscreen=1\njunk", sample},
        ReadCase{"SignsAndOddValues", PrefsText({"+5", "-3", "7", "0", "0", "0", "0", "0", "3"}),
                 Values{5, -3, 7, 0, 0, 0, 0, 0, 3, 29, 30}},
        ReadCase{
            "Int32Limits",
            PrefsText({"2147483647", "0", "0", "1", "0", "0", "0", "0", "3", "1", "-2147483648"}),
            Values{INT32_MAX, 0, 0, 1, 0, 0, 0, 0, 3, 1, INT32_MIN}},
        // A file that stops early sets the keys it has and keeps the rest.
        ReadCase{"FirstFiveLines", PrefsText({"0", "0", "0", "1", "0"}),
                 Values{0, 0, 0, 1, 0, 25, 26, 27, 28, 29, 30}},
        ReadCase{"EndsInsideKey", "gofirst=0\nxo",
                 Values{0, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}},
        ReadCase{"EndsAfterEquals",
                 "gofirst=0\nxoro=", Values{0, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}},
        ReadCase{"EndsInBlanksAfterEquals", "gofirst=  \n", preset}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// Malformed files: deleted and replaced by the default file, and the record ends
// with the defaults, including entries stored before the fault.
struct RepairCase {
    const char* name;
    std::string text;
};

void PrintTo(const RepairCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class ReadRepairs : public ScratchFolderTest, public testing::WithParamInterface<RepairCase> {};

TEST_P(ReadRepairs, ReplacesFileWithDefaults) {
    WriteFile(GetParam().text);
    settings = RecordOf(preset);
    ReadPreferences(settings, settingsCount);
    EXPECT_EQ(ValuesOf(), defaultValues);
    EXPECT_EQ(ReadFile(), defaultText);
    EXPECT_EQ(prefsRepairPending, 0);
    EXPECT_FALSE(Exists("prefs.txt.new"));
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, ReadRepairs,
    testing::Values(RepairCase{"OnlyBlankLines", "\n\n\n"},
                    RepairCase{"BlankBeforeFirstKey", " " + PrefsText(sample)},
                    RepairCase{"BlankLineBeforeFirstKey", "\n" + PrefsText(sample)},
                    RepairCase{"BlankBeforeEquals", "gofirst =0\n" + SampleLines(1)},
                    RepairCase{"KeyInCapitals", "GOFIRST=0\n" + SampleLines(1)},
                    // No other character counts as a blank.
                    RepairCase{"NoBreakSpaceBeforeValue", "gofirst=\xa0"
                                                          "0\n" +
                                                              SampleLines(1)},
                    RepairCase{"SeparatorBeforeValue", "gofirst=\x1c"
                                                       "0\n" +
                                                           SampleLines(1)},
                    RepairCase{"NulBetweenEntries",
                               std::string("gofirst=0\0", 10) + SampleLines(1)},
                    RepairCase{"XoroFirst", "xoro=0\ngofirst=0\n" + SampleLines(2)},
                    RepairCase{"KeysSwappedLater",
                               "gofirst=0\nxoro=0\nwhofirst=1\ncontrols=0\n" + SampleLines(4)},
                    RepairCase{"LettersAfterRes", SampleWith(8, "2abc")},
                    RepairCase{"NoDigits", SampleWith(0, "")},
                    RepairCase{"LetterForValue", SampleWith(0, "x")},
                    RepairCase{"SignWithoutDigits", SampleWith(3, "- 1")},
                    RepairCase{"SignAtEndOfFile", "gofirst=-"},
                    RepairCase{"JustOverInt32", SampleWith(10, "2147483648")},
                    RepairCase{"JustUnderInt32", SampleWith(10, "-2147483649")},
                    RepairCase{"TwentyDigits", SampleWith(5, "99999999999999999999")}),
    [](const testing::TestParamInfo<RepairCase>& info) { return std::string(info.param.name); });

TEST_F(PreferencesFileTest, CountLimitsTheKeysRead) {
    // The fifth line is broken, but only the first three keys are asked for.
    const std::string text = SampleWith(4, "x");
    WriteFile(text);
    settings = RecordOf(preset);
    ReadPreferences(settings, 3);
    EXPECT_EQ(ValuesOf(), (Values{0, 0, 0, 23, 24, 25, 26, 27, 28, 29, 30}));
    EXPECT_EQ(ReadFile(), text);
}

TEST_F(PreferencesFileTest, ParseStopsAtFirstMalformedEntry) {
    std::FILE* file = OpenBytes("gofirst=0\nxoro=0\nbogus=0\nwhofirst=1\n");
    ASSERT_NE(file, nullptr);
    Settings record = RecordOf(preset);
    EXPECT_FALSE(ParsePreferences(file, record, settingsCount));
    std::fclose(file);
    EXPECT_EQ(ValuesOf(record), (Values{0, 0, 22, 23, 24, 25, 26, 27, 28, 29, 30}));
}

// One entry on its own: the outcome, the value and where the next entry starts.
struct MatchCase {
    std::string text;
    EntryOutcome outcome;
    int32_t value;
    std::string rest;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }

class MatchEntry : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchEntry, OutcomeValueAndPosition) {
    std::FILE* file = OpenBytes(GetParam().text);
    ASSERT_NE(file, nullptr);
    int32_t value = -77;
    EXPECT_EQ(MatchPreferenceEntry(file, "gofirst", value), GetParam().outcome);
    EXPECT_EQ(value, GetParam().value);
    if (GetParam().outcome == EntryOutcome::stored) {
        std::string rest;
        for (int c; (c = std::fgetc(file)) != EOF;) rest += char(c);
        EXPECT_EQ(rest, GetParam().rest);
    }
    std::fclose(file);
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, MatchEntry,
    testing::Values(MatchCase{"gofirst=5\n\n \txoro=1\n", EntryOutcome::stored, 5, "xoro=1\n"},
                    MatchCase{"gofirst=\n -0012x ", EntryOutcome::stored, -12, "x "},
                    MatchCase{"gofirst=+9", EntryOutcome::stored, 9, ""},
                    MatchCase{"gofirst=-2147483648\n", EntryOutcome::stored, INT32_MIN, ""},
                    MatchCase{"gofi", EntryOutcome::endOfInput, -77, ""},
                    MatchCase{"gofirst=\r\n", EntryOutcome::endOfInput, -77, ""},
                    MatchCase{"gofirsT=1", EntryOutcome::malformed, -77, ""},
                    MatchCase{"gofirst=+", EntryOutcome::malformed, -77, ""},
                    MatchCase{"gofirst=4294967297", EntryOutcome::malformed, -77, ""}));

} // namespace

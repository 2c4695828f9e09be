// The equalizer's text block: writing, reading back, and what reading does with bad input.
#include "engine/equalizer/equalizer.h"

#include "deck_setups.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace {

Equalizer Deck(int bands) {
    Equalizer eq;
    deck::SetUp(eq, bands == 10 ? deck::kTenBand : deck::kThreeBand, bands);
    return eq;
}

std::string Text(const Equalizer& eq) {
    std::ostringstream out;
    EXPECT_TRUE(eq.WriteEqualizer(out));
    return out.str();
}

void ExpectSameBands(const Equalizer& a, const Equalizer& b) {
    ASSERT_EQ(a.GetNumBands(), b.GetNumBands());
    for (int k = 0; k < a.GetNumBands(); ++k) {
        EXPECT_EQ(a.returnFreq(k), b.returnFreq(k)) << k;
        EXPECT_EQ(a.returnBoost(k), b.returnBoost(k)) << k;
        EXPECT_EQ(a.returnBandwidth(k), b.returnBandwidth(k)) << k;
        EXPECT_EQ(a.GetKillFreq(k), b.GetKillFreq(k)) << k;
    }
}

TEST(EqualizerText, WritesTheThreeBandSetUp) {
    EXPECT_EQ(Text(Deck(3)), "=3\n"
                             "100.000000, 0.400000, 1.000000, 0\n"
                             "1500.000000, 0.300000, 1.000000, 0\n"
                             "14000.000000, 0.200000, 1.000000, 0\n");
}

TEST(EqualizerText, WritesTheTenBandSetUp) {
    EXPECT_EQ(Text(Deck(10)), "=10\n"
                              "60.000000, 0.400000, 1.000000, 0\n"
                              "100.000000, 0.300000, 1.000000, 0\n"
                              "250.000000, 0.200000, 1.000000, 0\n"
                              "500.000000, 0.100000, 1.000000, 0\n"
                              "1000.000000, 0.100000, 1.000000, 0\n"
                              "2000.000000, 0.100000, 1.000000, 0\n"
                              "5000.000000, 0.100000, 1.000000, 0\n"
                              "10000.000000, 0.070000, 1.000000, 0\n"
                              "14000.000000, 0.020000, 1.000000, 0\n"
                              "18000.000000, 0.055000, 1.000000, 0\n");
}

TEST(EqualizerText, WritesKillFlagsAndBoosts) {
    Equalizer eq = Deck(3);
    eq.setBoost(1, 2.5f);
    eq.SetKillFreq(2, true);
    EXPECT_EQ(Text(eq), "=3\n"
                        "100.000000, 0.400000, 1.000000, 0\n"
                        "1500.000000, 0.300000, 2.500000, 0\n"
                        "14000.000000, 0.200000, 1.000000, 1\n");
    Equalizer none;
    EXPECT_EQ(Text(none), "=0\n");
}

TEST(EqualizerText, ThreeBandRoundTrip) {
    const Equalizer original = Deck(3);
    std::istringstream in(Text(original));
    Equalizer fresh;
    EXPECT_TRUE(fresh.ReadEqualizer(in));
    ExpectSameBands(fresh, original);
    EXPECT_FALSE(fresh.GetEnable()); // reading does not enable
}

TEST(EqualizerText, RoundTripWithBoostsAndKills) {
    Equalizer original = Deck(10);
    for (int k = 0; k < 10; ++k) {
        original.setBoost(k, deck::FaderBoost(k * 400));
        original.SetKillFreq(k, k % 3 == 0);
    }
    std::istringstream in(Text(original));
    Equalizer copy;
    EXPECT_TRUE(copy.ReadEqualizer(in));
    ASSERT_EQ(copy.GetNumBands(), 10);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(copy.returnFreq(k), original.returnFreq(k));
        EXPECT_EQ(copy.returnBandwidth(k), original.returnBandwidth(k));
        EXPECT_NEAR(copy.returnBoost(k), original.returnBoost(k), 1e-6); // six decimals
        EXPECT_EQ(copy.GetKillFreq(k), original.GetKillFreq(k));
    }
    // What was read is designed: the response follows the boost.
    EXPECT_NEAR(copy.returnFreqResponse(1, 100), deck::FaderBoost(400), 1e-3);
    EXPECT_NEAR(copy.returnFreqResponse(0, 60), 0.05, 1e-4);
    // Written again, the text is the same.
    EXPECT_EQ(Text(copy), Text(original));
}

TEST(EqualizerText, StreamOperators) {
    Equalizer original = Deck(3);
    original.setBoost(0, 0.5f);
    std::stringstream text;
    std::ostream& written = text << original;
    EXPECT_EQ(&written, &text);
    Equalizer copy;
    std::istream& read = text >> copy;
    EXPECT_EQ(&read, &text);
    ExpectSameBands(copy, original);
}

TEST(EqualizerText, PointerOverload) {
    std::istringstream in(Text(Deck(3)));
    Equalizer eq;
    EXPECT_TRUE(eq.ReadEqualizer(&in));
    EXPECT_EQ(eq.GetNumBands(), 3);
    EXPECT_FALSE(eq.ReadEqualizer(static_cast<std::istream*>(nullptr)));
}

TEST(EqualizerText, EmptyLinesBeforeTheBlockAreSkipped) {
    std::istringstream in("\n\n\n" + Text(Deck(3)));
    Equalizer eq;
    EXPECT_TRUE(eq.ReadEqualizer(in));
    ExpectSameBands(eq, Deck(3));
}

TEST(EqualizerText, WindowsLineEndsRead) {
    std::istringstream in(
        "\r\n\r\n=3\r\n100.000000, 0.400000, 2.000000, 1\r\n1500.000000, 0.300000, 1.000000, 0\r\n"
        "14000.000000, 0.200000, 0.500000, 0\r\n");
    Equalizer eq;
    EXPECT_TRUE(eq.ReadEqualizer(in));
    ASSERT_EQ(eq.GetNumBands(), 3);
    EXPECT_EQ(eq.returnBoost(0), 2.0f);
    EXPECT_TRUE(eq.GetKillFreq(0));
    EXPECT_EQ(eq.returnBoost(2), 0.5f);
}

TEST(EqualizerText, ElevenBandsAreRefused) {
    Equalizer eq = Deck(3);
    eq.setBoost(0, 2.0f);
    std::istringstream in("=11\n1.0, 2.0, 3.0, 1\n");
    EXPECT_FALSE(eq.ReadEqualizer(in));
    EXPECT_EQ(eq.GetNumBands(), 3);
    EXPECT_EQ(eq.returnFreq(0), 100.0f);
    EXPECT_EQ(eq.returnBoost(0), 2.0f);
    EXPECT_FALSE(eq.GetKillFreq(0));
}

TEST(EqualizerText, HugeCountsAreRefused) {
    for (const char* text :
         {"=2147483647\n", "=2147483648\n", "=99999999999999999999999\n", "= 12\n"}) {
        Equalizer eq = Deck(3);
        std::istringstream in(text);
        EXPECT_FALSE(eq.ReadEqualizer(in)) << text;
        EXPECT_EQ(eq.GetNumBands(), 3) << text;
    }
}

TEST(EqualizerText, NegativeCountsAreAcceptedAndChangeNothing) {
    for (const char* text :
         {"=-1\n5, 5, 5, 1\n", "=-2147483648\n", "=-99999999999999999999999\n"}) {
        Equalizer eq = Deck(3);
        std::istringstream in(text);
        EXPECT_TRUE(eq.ReadEqualizer(in)) << text;
        ExpectSameBands(eq, Deck(3));
    }
}

TEST(EqualizerText, ZeroCountConsumesOneCharacter) {
    Equalizer eq = Deck(3);
    std::istringstream in("=0\nXY");
    EXPECT_FALSE(eq.ReadEqualizer(in));
    EXPECT_EQ(in.tellg(), 4); // the line "=0" and the X
    EXPECT_EQ(eq.GetNumBands(), 3);
}

TEST(EqualizerText, GarbageIsRefusedOneCharacterAtATime) {
    Equalizer eq = Deck(3);
    std::istringstream in("hello world");
    EXPECT_FALSE(eq.ReadEqualizer(in));
    EXPECT_EQ(in.tellg(), 1);
    EXPECT_EQ(eq.GetNumBands(), 3);
    // A count that does not parse counts as 0.
    std::istringstream bad("=abc\n");
    EXPECT_FALSE(eq.ReadEqualizer(bad));
    ExpectSameBands(eq, Deck(3));
    // An empty stream.
    std::istringstream empty("");
    EXPECT_FALSE(eq.ReadEqualizer(empty));
}

TEST(EqualizerText, MissingBandLinesLeaveTheOtherBands) {
    Equalizer eq = Deck(3);
    std::istringstream in("=3\n200.000000, 0.500000, 2.000000, 1\n");
    EXPECT_TRUE(eq.ReadEqualizer(in));
    ASSERT_EQ(eq.GetNumBands(), 3);
    EXPECT_EQ(eq.returnFreq(0), 200.0f);
    EXPECT_EQ(eq.returnBandwidth(0), 0.5f);
    EXPECT_EQ(eq.returnBoost(0), 2.0f);
    EXPECT_TRUE(eq.GetKillFreq(0));
    EXPECT_EQ(eq.returnFreq(1), 1500.0f);
    EXPECT_EQ(eq.returnFreq(2), 14000.0f);
    // More bands announced than were ever set: the count is taken, the bands stay as they are.
    Equalizer fresh;
    std::istringstream more("=5\n100, 0.4, 1.0, 0\n");
    EXPECT_TRUE(fresh.ReadEqualizer(more));
    EXPECT_EQ(fresh.GetNumBands(), 5);
    EXPECT_EQ(fresh.returnFreq(0), 100.0f);
    EXPECT_EQ(fresh.returnFreq(4), 0.0f);
}

TEST(EqualizerText, FieldsThatDoNotParseKeepTheirValues) {
    Equalizer eq = Deck(3);
    std::istringstream in("=3\n250, xyz, 3.0, 1\n, 1, 2, 3\n14000.0,0.25,2.0,1\n");
    EXPECT_TRUE(eq.ReadEqualizer(in));
    EXPECT_EQ(eq.returnFreq(0), 250.0f);
    EXPECT_EQ(eq.returnBandwidth(0), 0.4f);
    EXPECT_EQ(eq.returnBoost(0), 1.0f);
    EXPECT_FALSE(eq.GetKillFreq(0));
    EXPECT_EQ(eq.returnFreq(1), 1500.0f); // nothing parsed
    EXPECT_EQ(eq.returnBandwidth(1), 0.3f);
    EXPECT_EQ(eq.returnBandwidth(2), 0.25f); // no spaces needed
    EXPECT_EQ(eq.returnBoost(2), 2.0f);
    EXPECT_TRUE(eq.GetKillFreq(2));
}

TEST(EqualizerText, AnyNonZeroKillValueKills) {
    for (const char* kill : {"1", "7", "-1", "99999999999999999999", "4294967296"}) {
        Equalizer eq;
        std::istringstream in(std::string("=1\n100, 0.4, 1.0, ") + kill + "\n");
        EXPECT_TRUE(eq.ReadEqualizer(in));
        EXPECT_TRUE(eq.GetKillFreq(0)) << kill;
    }
    Equalizer eq;
    eq.SetKillFreq(0, true);
    std::istringstream in("=1\n100, 0.4, 1.0, 0\n");
    EXPECT_TRUE(eq.ReadEqualizer(in));
    EXPECT_FALSE(eq.GetKillFreq(0));
}

TEST(EqualizerText, OverlongLines) {
    // A band line longer than 255 characters: its first 255 are read, then the stream is
    // failed and no further line is read.
    {
        Equalizer eq = Deck(3);
        std::istringstream in("=3\n200, 0.5, 2.0, 1" + std::string(400, ' ') +
                              "\n300, 0.5, 2.0, 1\n");
        EXPECT_TRUE(eq.ReadEqualizer(in));
        EXPECT_EQ(eq.GetNumBands(), 3);
        EXPECT_EQ(eq.returnFreq(0), 200.0f);
        EXPECT_TRUE(eq.GetKillFreq(0));
        EXPECT_EQ(eq.returnFreq(1), 1500.0f);
        EXPECT_TRUE(in.fail());
    }
    // A number cut at character 255.
    {
        Equalizer eq;
        std::istringstream in("=1\n" + std::string(250, ' ') + "123456789\n");
        EXPECT_TRUE(eq.ReadEqualizer(in));
        EXPECT_EQ(eq.returnFreq(0), 12345.0f);
    }
    // An overlong count line.
    {
        Equalizer eq = Deck(3);
        std::istringstream in("=2" + std::string(1000, 'x') + "\n1, 2, 3, 0\n");
        EXPECT_TRUE(eq.ReadEqualizer(in));
        EXPECT_EQ(eq.GetNumBands(), 2);
        EXPECT_EQ(eq.returnFreq(0), 100.0f);
    }
    // Overlong empty-looking input: many empty lines, then a block.
    {
        Equalizer eq;
        std::istringstream in(std::string(100000, '\n') + Text(Deck(3)));
        EXPECT_TRUE(eq.ReadEqualizer(in));
        ExpectSameBands(eq, Deck(3));
    }
}

// The deck's equalizer file: the 10-band block, a line end, the 3-band block, a line
// end, read record by record until the stream fails or ends.
TEST(EqualizerText, TheDecksEqualizerFile) {
    Equalizer ten = Deck(10), three = Deck(3);
    ten.setBoost(4, 2.0f);
    three.SetKillFreq(0, true);
    std::stringstream file;
    file << ten << "\n" << three << "\n";
    int tens = 0, threes = 0, records = 0;
    while (file.good() && records < 100) {
        Equalizer record;
        if (!record.ReadEqualizer(file))
            continue;
        ++records;
        if (record.GetNumBands() == 10) {
            ++tens;
            ExpectSameBands(record, ten);
        } else if (record.GetNumBands() == 3) {
            ++threes;
            ExpectSameBands(record, three);
        }
    }
    EXPECT_EQ(tens, 1);
    EXPECT_EQ(threes, 1);
    EXPECT_EQ(records, 2);
}

// Random text read record by record ends, whatever it holds.
TEST(EqualizerText, RandomTextEnds) {
    std::mt19937 rng(3);
    const std::string alphabet = "=0123456789-+.,e \n\r\tnaifx";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1), length(0, 2000);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (size_t n = length(rng); n > 0; --n)
            text += alphabet[pick(rng)];
        std::istringstream in(text);
        size_t calls = 0;
        Equalizer eq = Deck(10);
        while (in.good()) {
            eq.ReadEqualizer(in);
            ASSERT_LE(++calls, text.size() + 1);
            ASSERT_GE(eq.GetNumBands(), 0);
            ASSERT_LE(eq.GetNumBands(), 10);
        }
        std::ostringstream out;
        EXPECT_TRUE(eq.WriteEqualizer(out));
    }
}

} // namespace

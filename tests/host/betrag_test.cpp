#include "host/Betrag.h"

#include <gtest/gtest.h>

namespace {

using B = CWBetragBasis;
B Euro(std::int64_t nCent) {
    return B::FromCent(nCent, B::kEuro);
}
B DM(std::int64_t nCent) {
    return B::FromCent(nCent, B::kDM);
}

TEST(Betrag, ParsesOnlyTheStoredForm) {
    struct Case {
        CString text;
        std::int64_t cent; // -1 with waehrung 0: empty
        char waehrung;
    };
    const Case cases[] = {{"e         0", 0, 'e'},
                          {"e     -1234", -1234, 'e'},
                          {"  e 12", 12, 'e'},
                          {"d  500", 500, 'd'},
                          {"D-7", -7, 'd'},
                          {"123", 123, 'e'},
                          {"e 99999999999999999", 99999999999999999, 'e'}, // 17 digits
                          {"", -1, 0},
                          {"   ", -1, 0},
                          {"e-", -1, 0},
                          {"e12x", -1, 0},
                          {"e 1 2", -1, 0},
                          {"x12", -1, 0},
                          {"12,50", -1, 0},
                          {"e 123456789012345678", -1, 0},
                          {"e 1234567890123456789012345", -1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        const B b(c.text);
        EXPECT_EQ(b.IsEmpty(), c.waehrung == 0);
        EXPECT_EQ(b.GetCent(), c.waehrung ? c.cent : 0);
        EXPECT_EQ(b.GetWaehrung(), c.waehrung ? c.waehrung : B::kEuro);
    }
}

TEST(Betrag, StoredFormRoundTrips) {
    EXPECT_EQ(Euro(0).ToDb(), "e         0");
    EXPECT_EQ(Euro(-1234).ToDb(), "e     -1234");
    EXPECT_EQ(Euro(12345678901234).ToDb(), "e12345678901234"); // never cut
    EXPECT_EQ(B().ToDb(), "");
    for (const B& b : {Euro(0), Euro(-1), Euro(1234567), DM(-99), B()}) {
        EXPECT_TRUE(B(b.ToDb()).SameAs(b)) << b.ToDb();
        EXPECT_TRUE(B(b.ToDb(0)).SameAs(b)) << b.ToDb(0);
    }
}

TEST(Betrag, DisplayForms) {
    struct Case {
        std::int64_t cent;
        int width;
        CString plain, german, swiss;
    };
    const Case cases[] = {{0, 0, "0,00", "0,00", "0.00"},
                          {-50, 0, "-0,50", "-0,50", "-0.50"},
                          {123456, 0, "1234,56", "1.234,56", "1'234.56"},
                          {-123456789, 0, "-1234567,89", "-1.234.567,89", "-1'234'567.89"},
                          {99999, 0, "999,99", "999,99", "999.99"},
                          {123456, 10, "   1234,56", "  1.234,56", "  1'234.56"},
                          {123456, 3, "1234,56", "1.234,56", "1'234.56"},
                          {INT64_MIN, 0, "-23058430092136939,52", "-23.058.430.092.136.939,52",
                           "-23'058'430'092'136'939.52"},
                          {INT64_MAX, 0, "23058430092136939,51", "23.058.430.092.136.939,51",
                           "23'058'430'092'136'939.51"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cent);
        EXPECT_EQ(Euro(c.cent).ToExt(c.width, false), c.plain);
        EXPECT_EQ(Euro(c.cent).ToExt(c.width, true), c.german);
        EXPECT_EQ(Euro(c.cent).ToExtLong(c.width, true), c.german);
        EXPECT_EQ(Euro(c.cent).ToExtLong(c.width, false), c.swiss);
    }
}

TEST(Betrag, MultiplicationRoundsExactHalvesAwayFromZero) {
    struct Case {
        std::int64_t cent;
        double factor;
        std::int64_t expected;
    };
    const Case cases[] = {{150, 0.07, 11}, {-150, 0.07, -11},    {10, 0.05, 1},
                          {-10, 0.05, -1}, {50, 0.01, 1},        {-50, 0.01, -1},
                          {49, 0.01, 0},   {250, 0.19, 48},      {1234, -1.0, -1234},
                          {285, 0.1, 29},  {11900, 1.19, 14161}, {100, 1e10, 1'000'000'000'000}};
    for (const Case& c : cases)
        EXPECT_EQ((Euro(c.cent) * c.factor).GetCent(), c.expected) << c.cent << "*" << c.factor;
    EXPECT_TRUE((B() * 2.0).IsEmpty());
}

TEST(Betrag, FromDoubleIsExactToTheCent) {
    const std::pair<double, std::int64_t> cases[] = {{12.34, 1234},
                                                     {-0.005, -1},
                                                     {1.005, 101},
                                                     {-2.675, -268},
                                                     {1e10, 1'000'000'000'000},
                                                     {-123456789012.34, -12'345'678'901'234}};
    for (const auto& [value, cent] : cases)
        EXPECT_EQ(B(value, 'e').GetCent(), cent) << value;
    EXPECT_EQ(B(1.0, ' ').GetWaehrung(), B::kDM);
}

TEST(Betrag, DivisionAndRatio) {
    EXPECT_EQ((Euro(3) / 2.0).GetCent(), 2);
    EXPECT_EQ((Euro(-3) / 2.0).GetCent(), -2);
    EXPECT_EQ((Euro(11900) / 1.19).GetCent(), 10000);
    EXPECT_TRUE((Euro(100) / 0.0).IsEmpty());
    EXPECT_DOUBLE_EQ(Euro(-50) / Euro(200), -0.25);
    EXPECT_DOUBLE_EQ(Euro(50) / B(), 0.0);
    EXPECT_DOUBLE_EQ(Euro(100000) / DM(195583), 1.0);
}

TEST(Betrag, SumsKeepEmptinessApart) {
    EXPECT_TRUE((B() + B()).IsEmpty());
    EXPECT_TRUE((B() - B()).IsEmpty());
    EXPECT_FALSE((B() + Euro(0)).IsEmpty());
    EXPECT_FALSE((Euro(0) - B()).IsEmpty());
    EXPECT_EQ((B() - Euro(7)).GetCent(), -7);
    const B dm = B() + DM(100); // an empty start takes the first real currency
    EXPECT_EQ(dm.GetWaehrung(), B::kDM);
    const B mixed = Euro(100) + DM(195583); // kept in the left currency
    EXPECT_EQ(mixed.GetWaehrung(), B::kEuro);
    EXPECT_EQ(mixed.GetCent(), 100100);
}

TEST(Betrag, CurrencyConversion) {
    EXPECT_EQ(DM(195583).ToW(B::kEuro).GetCent(), 100000);
    EXPECT_EQ(Euro(100000).ToW(B::kDM).GetCent(), 195583);
    EXPECT_EQ(Euro(100).ToW(B::kDM).GetCent(), 196); // 195.583
    EXPECT_EQ(DM(-1).ToW(B::kEuro).GetCent(), -1);   // -0.511
    EXPECT_EQ(Euro(1).ToW(' ').GetWaehrung(), B::kDM);
    EXPECT_TRUE(B().ToW(B::kDM).IsEmpty());
}

TEST(Betrag, ComparisonsByValue) {
    EXPECT_TRUE(Euro(-2) < Euro(-1));
    EXPECT_TRUE(Euro(2) > Euro(1));
    EXPECT_TRUE(Euro(2) <= Euro(2) && Euro(2) >= Euro(2));
    EXPECT_TRUE(B() == Euro(0));
    EXPECT_FALSE(B().SameAs(Euro(0)));
    EXPECT_TRUE(Euro(100000) == DM(195583));
    EXPECT_TRUE(Euro(0) != Euro(1));
}

} // namespace

namespace {

// Every operation holds a result beyond the range at the nearer end, never wraps.
TEST(Betrag, ResultsBeyondTheRangeStayAtItsEnds) {
    const B max = Euro(B::kMaxCent), min = Euro(B::kMinCent);
    struct Case {
        const char* what;
        B result;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"max + 1", max + Euro(1), B::kMaxCent},
        {"max + max", max + max, B::kMaxCent},
        {"min - 1", min - Euro(1), B::kMinCent},
        {"min + min", min + min, B::kMinCent},
        {"max - min", max - min, B::kMaxCent},
        {"min - max", min - max, B::kMinCent},
        {"-min", -min, B::kMaxCent},
        {"-max", -max, -B::kMaxCent},
        {"max * 2", max * 2, B::kMaxCent},
        {"min * 2", min * 2, B::kMinCent},
        {"max * -3", max * -3, B::kMinCent},
        {"min * -1", min * -1, B::kMaxCent},
        {"max * 1.5", max * 1.5, B::kMaxCent},
        {"min * 1e9", min * 1e9, B::kMinCent},
        {"max / 0.5", max / 0.5, B::kMaxCent},
        {"euro max in DM", max.ToW(B::kDM), B::kMaxCent},
        {"DM + euro max", DM(0) + max, B::kMaxCent},
        {"max - 1 + 1", Euro(B::kMaxCent - 1) + Euro(1), B::kMaxCent},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result.GetCent(), c.expected) << c.what;
    EXPECT_EQ((max + Euro(1)).GetWaehrung(), B::kEuro);
    EXPECT_EQ((min - Euro(1) + Euro(5)).GetCent(), B::kMinCent + 5); // and counts on from there
}

TEST(Betrag, WholeFactorsAreExactAndKeepCurrencyAndEmptiness) {
    // 2^55 + 1 cents times 3 is beyond the 53 bits of a double's mantissa.
    const std::int64_t n = (std::int64_t{1} << 55) + 1;
    EXPECT_EQ((Euro(n) * 3).GetCent(), 3 * n);
    EXPECT_EQ((DM(-1234) * -1).GetCent(), 1234);
    EXPECT_EQ((DM(-1234) * -1).GetWaehrung(), B::kDM);
    EXPECT_EQ((Euro(1234) * 0).GetCent(), 0);
    EXPECT_TRUE((B() * -1).IsEmpty());
    EXPECT_TRUE((-B()).IsEmpty());
    EXPECT_TRUE((-DM(5)).SameAs(DM(-5)));
}

} // namespace

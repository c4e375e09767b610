// The lab-turnover hit file: rows cut into block lines, errors first, the
// selection file, and the reader joining consecutive lines of one row again.
#include "core/File2LU.h"
#include "core/LU2File.h"
#include "core/LUDefault.h"
#include "host/BehHitLine.h"
#include "host/DBIniFile.h"
#include "host/stat/StatAccu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

class LUHitFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() / ("vxstat-lu-" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    CLULabRech Row(const char* pat, std::initializer_list<std::pair<int, std::int64_t>> hits) {
        CLULabRech r;
        r.Clear();
        for (auto [satz, cent] : hits) {
            CBehHitLine h;
            h.m_strMandant = "1";
            h.m_strPatNr = pat;
            h.m_strPlanNr = "P1";
            h.m_strLBlockNr = "B1";
            h.m_strLabRechKey = "F1";
            h.m_strDatum = "20230105";
            h.m_cFlag1 = 'z';
            h.m_cArt = '8';
            h.m_Betrag = CDBetrag::FromCent(cent);
            h.m_nMwStSatz = satz;
            h.m_strPatName = "\xC4rger, \xDF\t\"Name\"";
            h.m_strTechniker = "T\xE4 1";
            r.MoveBeh(h);
        }
        r.m_strRechDatum = "20230110";
        r.m_strRechNr = CString("1/") + pat + "/42";
        r.m_strFortlRgNr = "L1/17/2023";
        r.m_strStornoDatum = "20230201";
        r.m_nStornoTyp = kStornoDavor;
        r.m_strZusatzKey = "Z";
        r.m_strZusatzText = "  Text mit Leerzeichen  ";
        r.BerechneMwStSummen();
        return r;
    }

    bool Write(CLUSum& sum, CStatAccu& accu) {
        CLU2File writer(sum, nullptr);
        writer.m_bIsLRech = true;
        writer.m_nLabRechModus = 3;
        writer.m_bIsMitTechnMat = true;
        CString strError;
        const bool ok = writer.Run(accu, m_dir.string(), strError);
        EXPECT_TRUE(ok) << strError;
        return ok;
    }

    // Kind and block code of every line of the hit file: "E", "L0", "L1", ...
    std::vector<std::string> FileLines() {
        std::ifstream in(m_dir / "vx_slu.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (line[0] == '#') continue;
            std::vector<std::string> fields;
            std::size_t start = 0;
            for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
                 start = tab + 1)
                fields.push_back(line.substr(start, tab - start));
            fields.push_back(line.substr(start));
            lines.push_back(fields[0] == "L" ? "L" + fields.at(7) : fields[0]);
        }
        return lines;
    }

    std::filesystem::path m_dir;
};

CBehErrors Error(const char* text) {
    CBehErrors e;
    e.m_strPatNr = "7";
    e.m_strText = text;
    return e;
}

TEST_F(LUHitFile, ErrorsFirstThenOneLinePerUsedBlockInCodeOrder) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("7", {{19, 1000}, {7, 500}}), Row("8", {{0, 300}})};
    CStatAccu accu;
    accu.m_vecErrors = {Error("a"), Error("b"), Error("c")};
    ASSERT_TRUE(Write(sum, accu));
    const std::vector<std::string> expected = {"E", "E", "E", "L0", "L1", "L4", "L6", "L0", "L2"};
    EXPECT_EQ(FileLines(), expected);

    // Read back: the block codes of the lines decide which blocks are filled.
    CLUSum back;
    CStatAccu readAccu;
    CFile2LU reader(&back, nullptr);
    CString strError;
    ASSERT_TRUE(reader.Run(readAccu, m_dir.string(), strError)) << strError;
    ASSERT_EQ(back.m_vecLabRech.size(), 2u);
    ASSERT_EQ(readAccu.m_vecErrors.size(), 3u);
    EXPECT_EQ(readAccu.m_vecErrors[1].m_strText, "b");
    const CLULabRech& a = back.m_vecLabRech[0];
    for (int v = 0; v < 7; ++v)
        EXPECT_EQ(a.Block(v).m_bBelegt, (v == 0 || v == 1 || v == 4 || v == 6)) << v;
    const CLULabRech& b = back.m_vecLabRech[1];
    for (int v = 0; v < 7; ++v)
        EXPECT_EQ(b.Block(v).m_bBelegt, v == 0 || v == 2) << v;

    EXPECT_TRUE(reader.m_bIsLRech);
    EXPECT_FALSE(reader.m_bIsLRechBez);
    EXPECT_EQ(reader.m_nLabRechModus, 3);
    EXPECT_TRUE(reader.m_bIsMitTechnMat);
}

TEST_F(LUHitFile, ReadingBackRestoresBlocksTextsAndCancellation) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("7", {{19, 1001}, {7, 333}, {0, 5}})};
    const CLULabRech& orig = sum.m_vecLabRech[0];
    CStatAccu accu;
    ASSERT_TRUE(Write(sum, accu));

    CLUSum back;
    back.m_vecLabRech = {Row("alt", {{0, 1}})}; // replaced: reading starts afresh
    CStatAccu readAccu;
    CFile2LU reader(&back, nullptr);
    CString strError;
    ASSERT_TRUE(reader.Run(readAccu, m_dir.string(), strError)) << strError;
    ASSERT_EQ(back.m_vecLabRech.size(), 1u);
    const CLULabRech& r = back.m_vecLabRech[0];
    EXPECT_EQ(r.m_strPatName, orig.m_strPatName);
    EXPECT_EQ(r.m_strZusatzText, orig.m_strZusatzText);
    EXPECT_EQ(r.m_strRechNr, orig.m_strRechNr);
    EXPECT_EQ(r.m_strFortlRgNr, orig.m_strFortlRgNr);
    EXPECT_EQ(r.m_strStornoDatum, "20230201");
    EXPECT_EQ(r.m_nStornoTyp, kStornoDavor);
    EXPECT_EQ(r.m_strRechDatum, "20230110");
    EXPECT_EQ(r.m_strDatumAlt, "20230110");
    EXPECT_EQ(r.m_cPlanArt, 'z');
    EXPECT_EQ(r.m_strLBlockNr, "B1");
    EXPECT_EQ(r.m_strTechniker, "T\xE4 1");
    // Not carried by the file.
    EXPECT_TRUE(r.m_vecMwStGruppen.empty());
    EXPECT_TRUE(r.m_strLstDatum.empty());
    EXPECT_TRUE(r.m_strLabRechNr.empty());
    for (int v = 0; v < 7; ++v) {
        const CLULabRechLst &x = orig.Block(v), &y = r.Block(v);
        EXPECT_EQ(x.m_bBelegt, y.m_bBelegt) << v;
        for (auto m : {&CLULabRechLst::m_Brutto, &CLULabRechLst::m_Netto, &CLULabRechLst::m_MwSt,
                       &CLULabRechLst::m_Metall, &CLULabRechLst::m_TechnLst})
            EXPECT_TRUE((x.*m).SameAs(y.*m)) << v << " " << (x.*m).ToDb() << " " << (y.*m).ToDb();
    }
}

TEST_F(LUHitFile, WriterWorksOnItsOwnCopyAndWritesNothingWithoutRows) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("7", {{19, 100}})};
    CLU2File writer(sum, nullptr);
    sum.m_vecLabRech.push_back(Row("8", {{19, 100}}));
    CStatAccu accu;
    CString strError;
    ASSERT_TRUE(writer.Run(accu, m_dir.string(), strError)) << strError;
    const std::vector<std::string> expected = {"L0", "L1", "L6"}; // the first row only
    EXPECT_EQ(FileLines(), expected);

    CLUSum empty;
    CLU2File none(empty, nullptr);
    int nCount = 5;
    CDBStdioFile unused;
    EXPECT_EQ(none.DoData(unused, nCount), 0);
    EXPECT_EQ(nCount, 5);
}

TEST_F(LUHitFile, AlternativeDateTravelsWhenTheInvoiceDateIsEmpty) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("7", {{19, 100}})};
    sum.m_vecLabRech[0].m_strRechDatum.clear();
    sum.m_vecLabRech[0].m_strDatumAlt = "20230315";
    CStatAccu accu;
    ASSERT_TRUE(Write(sum, accu));
    CLUSum back;
    CFile2LU reader(&back, nullptr);
    CString strError;
    ASSERT_TRUE(reader.Run(accu, m_dir.string(), strError));
    EXPECT_EQ(back.m_vecLabRech.at(0).m_strRechDatum, "20230315");
    EXPECT_EQ(back.m_vecLabRech.at(0).m_strDatumAlt, "20230315");
}

TEST_F(LUHitFile, SelectionWithoutKeysReadsDefaults) {
    CDBIniFile::WriteOneString((m_dir / "vx_slu.sel").string(), "Selektion", "IsLRech", "1");
    CLUSum sum;
    CFile2LU reader(&sum, nullptr);
    reader.m_nLabRechModus = 9;
    EXPECT_TRUE(reader.ReadMoreSelektions((m_dir / "vx_slu.sel").string()));
    EXPECT_TRUE(reader.m_bIsLRech);
    EXPECT_EQ(reader.m_nLabRechModus, 0);
    EXPECT_FALSE(reader.m_bIsMitTechnMat);
}

CString RandomText(std::mt19937& rng) {
    static const char kSpecial[] = {'\t', '\n', '\r', '\\', ' ', '|', '"', '='};
    CString s(rng() % 12, ' ');
    for (char& c : s)
        c = rng() % 3 ? static_cast<char>(rng() % 256) : kSpecial[rng() % sizeof kSpecial];
    return s;
}

CDBetrag RandomAmount(std::mt19937& rng) {
    if (rng() % 5 == 0) return CDBetrag();
    const auto cent = static_cast<std::int64_t>(rng()) * (rng() % 2 ? 1 : -1) * (rng() % 1000);
    return CDBetrag::FromCent(cent, rng() % 10 ? 'e' : 'd');
}

// Every member that travels through the hit file.
void ExpectSameRow(const CLULabRech& x, const CLULabRech& y) {
    for (CString CLULabRech::*text :
         {&CLULabRech::m_strPatName, &CLULabRech::m_strMandant, &CLULabRech::m_strRechDatum,
          &CLULabRech::m_strRechNr, &CLULabRech::m_strPlanNr, &CLULabRech::m_strLiqNr,
          &CLULabRech::m_strZusatzText, &CLULabRech::m_strFortlRgNr, &CLULabRech::m_strStornoDatum,
          &CLULabRech::m_strZusatzKey, &CLULabRech::m_strLBlockNr, &CLULabRech::m_strTechniker})
        ASSERT_EQ(x.*text, y.*text);
    ASSERT_EQ(x.m_cPlanArt, y.m_cPlanArt);
    ASSERT_EQ(x.m_nStornoTyp, y.m_nStornoTyp);
    for (int v = 0; v < 7; ++v) {
        ASSERT_EQ(x.Block(v).m_bBelegt, y.Block(v).m_bBelegt);
        for (CDBetrag CLULabRechLst::*a : CLULabRechLst::kBetraege)
            ASSERT_TRUE((x.Block(v).*a).SameAs(y.Block(v).*a))
                << v << " [" << (x.Block(v).*a).ToDb() << "] [" << (y.Block(v).*a).ToDb() << "]";
    }
}

// Any texts and amounts survive the file: random rows, written and read back.
TEST_F(LUHitFile, RandomRowsReadBackEqual) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 rng(seed);
        CLUSum sum;
        for (int i = 0; i < 300; ++i) {
            CLULabRech r;
            r.Clear();
            r.m_strPatNr = "P" + std::to_string(i); // distinct rows never join
            for (CString* t :
                 {&r.m_strMandant, &r.m_strPatName, &r.m_strRechDatum, &r.m_strRechNr,
                  &r.m_strPlanNr, &r.m_strLiqNr, &r.m_strZusatzText, &r.m_strFortlRgNr,
                  &r.m_strStornoDatum, &r.m_strZusatzKey, &r.m_strLBlockNr, &r.m_strTechniker})
                *t = RandomText(rng);
            r.m_strDatumAlt = r.m_strRechDatum;
            r.m_cPlanArt = static_cast<signed char>(rng() % 256);
            r.m_nStornoTyp = static_cast<int>(rng() % 3) - 1;
            for (int v = 0; v < 7; ++v) {
                CLULabRechLst& b = r.Block(v);
                b.m_bBelegt = v == 0 || rng() % 2;
                for (CDBetrag* a : {&b.m_Brutto, &b.m_Netto, &b.m_MwSt, &b.m_TechnLst,
                                    &b.m_MwStTechnLst5, &b.m_MwStTechnLst7, &b.m_TechnLstFrei,
                                    &b.m_Material, &b.m_Metall, &b.m_MwStMetall5, &b.m_MwStMetall7,
                                    &b.m_TechnMat, &b.m_TechnMat5, &b.m_TechnMat7})
                    *a = b.m_bBelegt ? RandomAmount(rng) : CDBetrag();
            }
            sum.m_vecLabRech.push_back(r);
        }
        CStatAccu accu;
        ASSERT_TRUE(Write(sum, accu));
        CLUSum back;
        CFile2LU reader(&back, nullptr);
        CString strError;
        ASSERT_TRUE(reader.Run(accu, m_dir.string(), strError)) << strError;
        ASSERT_EQ(back.m_vecLabRech.size(), sum.m_vecLabRech.size()) << seed;
        for (std::size_t i = 0; i < sum.m_vecLabRech.size(); ++i)
            ExpectSameRow(sum.m_vecLabRech[i], back.m_vecLabRech[i]);
    }
}

// A row without plan kind and one with a patient name of 2 MB: the file holds no
// NUL byte, and both rows read back as they were, without an error.
TEST_F(LUHitFile, NoPlanKindAndHugeTextsReadBackEqual) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("1", {{19, 100}}), Row("2", {{7, 200}})};
    sum.m_vecLabRech[0].m_cPlanArt = 0;
    CString strName(2 << 20, 'x');
    for (std::size_t i = 0; i < strName.size(); i += 5)
        strName[i] = "\t\xE4\n\\"[i / 5 % 4];
    sum.m_vecLabRech[1].m_strPatName = strName;
    CStatAccu accu;
    ASSERT_TRUE(Write(sum, accu));
    std::ifstream in(m_dir / "vx_slu.txt", std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(content.find('\0'), std::string::npos);

    CLUSum back;
    CFile2LU reader(&back, nullptr);
    CString strError;
    ASSERT_TRUE(reader.Run(accu, m_dir.string(), strError)) << strError;
    EXPECT_TRUE(accu.m_vecErrors.empty());
    ASSERT_EQ(back.m_vecLabRech.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        ExpectSameRow(sum.m_vecLabRech[i], back.m_vecLabRech[i]);
}

// A file written before the technician slot was added: its "L" lines end one
// field earlier and read back whole, with no technician and no error.
TEST_F(LUHitFile, OlderLinesWithoutTechnicianReadWithAnEmptyOne) {
    CLUSum sum;
    sum.m_vecLabRech = {Row("7", {{19, 1000}, {7, 500}}), Row("8", {{0, 300}})};
    CStatAccu accu;
    accu.m_vecErrors = {Error("a")};
    ASSERT_TRUE(Write(sum, accu));
    const std::filesystem::path hits = m_dir / "vx_slu.txt";
    std::string content;
    {
        std::ifstream in(hits, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("L\t")) {
                ASSERT_TRUE(line.ends_with("\tT\xC3\xA4 1")) << line; // UTF-8 in the file
                line.erase(line.rfind('\t'));
            }
            content += line + "\n";
        }
    }
    std::ofstream(hits, std::ios::binary | std::ios::trunc) << content;

    CLUSum back;
    CStatAccu readAccu;
    CFile2LU reader(&back, nullptr);
    CString strError;
    ASSERT_TRUE(reader.Run(readAccu, m_dir.string(), strError)) << strError;
    ASSERT_EQ(readAccu.m_vecErrors.size(), 1u); // the one written, no complaint
    ASSERT_EQ(back.m_vecLabRech.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(back.m_vecLabRech[i].m_strTechniker.empty()) << i;
        sum.m_vecLabRech[i].m_strTechniker.clear();
        ExpectSameRow(sum.m_vecLabRech[i], back.m_vecLabRech[i]);
    }
}

// The room for rows taken at once is bounded, whatever the size of the file: here
// a valid header followed by 1 GB of a sparse file, read as one overlong line.
TEST_F(LUHitFile, RoomForRowsIsBoundedForAHugeFile) {
    const std::filesystem::path hits = m_dir / "vx_slu.txt";
    std::ofstream(hits, std::ios::binary) << CStatEval::kHeader << "\n";
    std::filesystem::resize_file(hits, std::uintmax_t{1} << 30);
    std::ofstream(m_dir / "vx_slu.sel");
    CLUSum back;
    CFile2LU reader(&back, nullptr);
    CStatAccu accu;
    CString strError;
    ASSERT_TRUE(reader.Run(accu, m_dir.string(), strError)) << strError;
    EXPECT_TRUE(back.m_vecLabRech.empty());
    EXPECT_LE(back.m_vecLabRech.capacity(), static_cast<std::size_t>(CFile2LU::kMostRowsAhead));
    ASSERT_EQ(accu.m_vecErrors.size(), 1u);
    EXPECT_EQ(accu.m_vecErrors[0].m_strText, "vx_slu.txt, Zeile 2: l\xE4nger als 64 MiB");
}

// Line-level reading, without files.
class LUReader : public ::testing::Test {
protected:
    CStatLines Line(const char* pat, const char* block, const char* storno, std::int64_t brutto) {
        CStatLines l;
        l.Set(CStatLines::SatzArt, "L");
        l.Set(CStatLines::PatNr, pat);
        l.Set(CStatLines::BlockCode, block);
        l.Set(CStatLines::StornoTyp, storno);
        l.Set(CStatLines::LuBetrag(1), CDBetrag::FromCent(brutto).ToDb());
        return l;
    }
    CLUSum m_sum;
    CFile2LU m_reader{&m_sum, nullptr};
};

TEST_F(LUReader, OnlyConsecutiveLinesJoinARow) {
    CStatLines a0 = Line("A", "0", "1", 1), a1 = Line("A", "1", "1", 2),
               b0 = Line("B", "0", "1", 3);
    for (CStatLines* l : {&a0, &a1, &b0})
        EXPECT_TRUE(m_reader.MoveDataFromFile(*l));
    EXPECT_EQ(m_sum.m_vecLabRech.size(), 2u);

    m_sum.Init();
    for (CStatLines* l : {&a0, &b0, &a1})
        m_reader.MoveDataFromFile(*l);
    EXPECT_EQ(m_sum.m_vecLabRech.size(), 3u);
}

// Keys drawn from few values, often empty, so that lines join, part and meet every
// branch of the row comparison; a line joins exactly when CLULabRech::operator==
// says the last row equals a row with the line's keys.
TEST_F(LUReader, LinesJoinExactlyWhenTheRowsCompareEqual) {
    using S = CStatLines;
    std::mt19937 rng(11);
    const auto pick = [&](std::initializer_list<const char*> values) {
        return *(values.begin() + rng() % values.size());
    };
    std::vector<CLULabRech> expected;
    for (int i = 0; i < 3000; ++i) {
        CLULabRech keys;
        keys.m_strPatNr = pick({"1", "2"});
        keys.m_cPlanArt = *pick({"", "A", "B"});
        keys.m_strPlanNr = pick({"", "", "7", "8"});
        keys.m_strLiqNr = pick({"", "", "L1"});
        keys.m_strLBlockNr = pick({"", "", "", "B1"});
        keys.m_strRechNr = pick({"", "R1", "R2"});
        keys.m_strFortlRgNr = pick({"", "", "", "F1"});
        keys.m_strZusatzKey = pick({"", "", "", "", "Z"});
        keys.m_nStornoTyp = static_cast<STORNOTYP>(rng() % 3) - 1;

        CStatLines line =
            Line(keys.m_strPatNr.c_str(), "0", std::to_string(keys.m_nStornoTyp).c_str(), i);
        line.Set(S::PlanArt, keys.m_cPlanArt ? CString(1, static_cast<char>(keys.m_cPlanArt)) : "");
        line.Set(S::PlanNr, keys.m_strPlanNr);
        line.Set(S::LiqNr, keys.m_strLiqNr);
        line.Set(S::LBlockNr, keys.m_strLBlockNr);
        line.Set(S::RechNr, keys.m_strRechNr);
        line.Set(S::FortlRgNr, keys.m_strFortlRgNr);
        line.Set(S::ZusatzKey, keys.m_strZusatzKey);
        line.Set(S::Techniker, pick({"", "T1", "T2"})); // no key: never parts lines
        m_reader.MoveDataFromFile(line);

        // A joining line hands its keys on to the row.
        if (expected.empty() || !(expected.back() == keys)) expected.emplace_back();
        keys.m_LstAlle = expected.back().m_LstAlle;
        expected.back() = keys;
        ASSERT_EQ(m_sum.m_vecLabRech.size(), expected.size()) << "line " << i;
        // Key by key: operator== passes over the empty keys of the row read.
        const CLULabRech& row = m_sum.m_vecLabRech.back();
        const CLULabRech& want = expected.back();
        for (auto member :
             {&CLULabRech::m_strPatNr, &CLULabRech::m_strPlanNr, &CLULabRech::m_strLiqNr,
              &CLULabRech::m_strLBlockNr, &CLULabRech::m_strRechNr, &CLULabRech::m_strFortlRgNr,
              &CLULabRech::m_strZusatzKey})
            ASSERT_EQ(row.*member, want.*member) << "line " << i;
        ASSERT_EQ(row.m_cPlanArt, want.m_cPlanArt) << "line " << i;
        ASSERT_EQ(row.m_nStornoTyp, want.m_nStornoTyp) << "line " << i;
    }
}

TEST_F(LUReader, SameBlockTwiceKeepsTheSecondAmounts) {
    CStatLines first = Line("A", "3", "1", 100), second = Line("A", "3", "1", 250);
    m_reader.MoveDataFromFile(first);
    m_reader.MoveDataFromFile(second);
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    EXPECT_EQ(m_sum.m_vecLabRech[0].m_Lst5.m_Brutto.GetCent(), 250);
}

TEST_F(LUReader, CancellationTypeAndBlockCodeAreChecked) {
    struct Case {
        const char *storno, *block;
        STORNOTYP typ;
        int view;
        const char* slotAfter;
    } cases[] = {{"-1", "6", -1, 6, "-1"}, {"0", "2", 0, 2, "0"}, {"5", "9", 1, 0, "1"},
                 {"-2", "x", 1, 0, "1"},   {"", "", 0, 0, ""},    {"1", "-3", 1, 0, "1"}};
    for (const Case& c : cases) {
        m_sum.Init();
        CStatLines l = Line("A", c.block, c.storno, 77);
        m_reader.MoveDataFromFile(l);
        const CLULabRech& r = m_sum.m_vecLabRech.at(0);
        EXPECT_EQ(r.m_nStornoTyp, c.typ) << c.storno;
        EXPECT_EQ(l.Get(CStatLines::StornoTyp), c.slotAfter) << c.storno;
        EXPECT_EQ(r.Block(c.view).m_Brutto.GetCent(), 77) << c.block;
        EXPECT_TRUE(r.Block(c.view).m_bBelegt);
    }
}

TEST_F(LUReader, OtherKindsAreRefused) {
    CStatLines w;
    w.Set(CStatLines::SatzArt, "W");
    EXPECT_FALSE(m_reader.MoveDataFromFile(w));
    EXPECT_TRUE(m_sum.m_vecLabRech.empty());
}

} // namespace

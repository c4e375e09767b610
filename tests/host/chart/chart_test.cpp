#include "host/Cp1252.h"
#include "host/chart/GrafikAnsicht.h"
#include "host/chart/GrafikDaten.h"
#include "host/chart/GrafikWert.h"
#include "host/chart/diaGrafik.h"
#include "host/gui/QtText.h"

#include "support/GuiTestApp.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Posten {
    CString strKey, strWert;
};

// A chart filled as the evaluations fill theirs: one row per item and one column.
class CTestGrafik : public CdiaGrafik {
public:
    explicit CTestGrafik(std::vector<Posten> vecPosten, bool bFillOk = true)
        : CdiaGrafik(128, "", nullptr), m_vecPosten(std::move(vecPosten)), m_bFillOk(bFillOk) {
        SetTitel("Gesamtumsatz");
        SetStatistikTitel("Gewerbelaborstatistik vom 01.01.2024 bis 31.12.2024");
    }
    bool FillChartData() override {
        ++m_nFills;
        m_vecRows.clear();
        m_vecCols.clear();
        for (const Posten& p : m_vecPosten) {
            CCols col;
            col.MoveCol("", "Gesamtumsatz pro Laborkunde", p.strWert);
            if (FindCol(m_vecCols, "") < 0) m_vecCols.push_back(col);
            CRows row;
            row.MoveRow(p.strKey, "", p.strKey, "", "", col.m_strTitel, p.strWert);
            if (FindRow(p.strKey, "") < 0) m_vecRows.push_back(row);
        }
        return m_bFillOk;
    }
    std::vector<Posten> m_vecPosten;
    bool m_bFillOk;
    int m_nFills = 0;
};

CRows Row(const CString& strKey, const CString& strKey2, const CString& strColKey,
          const CString& strWert, const CString& strTitel = "") {
    CRows row;
    row.MoveRow(strKey, strKey2, strTitel.empty() ? strKey : strTitel, "", strColKey,
                "Spalte " + strColKey, strWert);
    return row;
}

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_dir = fs::temp_directory_path() /
                ("vxstat-chart-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

// A pixel of a bar: the chart's theme draws bars, and only bars and the legend's
// marks, in saturated colours.
bool IsBalken(QRgb rgb) {
    return QColor(rgb).hsvSaturation() > 120 && QColor(rgb).value() > 60;
}

// The bars found on the image line that crosses most of them: their left edges
// and heights in pixels.
struct Balken {
    int nX, nHoehe;
};
std::vector<Balken> FindeBalken(const QImage& image) {
    std::vector<Balken> besten;
    for (int y = 0; y < image.height(); y += 2) {
        std::vector<Balken> zeile;
        for (int x = 0; x < image.width(); ++x) {
            if (!IsBalken(image.pixel(x, y)) || (x > 0 && IsBalken(image.pixel(x - 1, y))))
                continue;
            int nEnde = x;
            while (nEnde < image.width() && IsBalken(image.pixel(nEnde, y)))
                ++nEnde;
            if (nEnde - x < 8) continue; // a letter's stroke, not a bar
            const int nMitte = (x + nEnde) / 2;
            int nOben = y, nUnten = y;
            while (nOben > 0 && IsBalken(image.pixel(nMitte, nOben - 1)))
                --nOben;
            while (nUnten + 1 < image.height() && IsBalken(image.pixel(nMitte, nUnten + 1)))
                ++nUnten;
            zeile.push_back({x, nUnten - nOben + 1});
        }
        if (zeile.size() > besten.size()) besten = zeile;
    }
    return besten;
}

int DunklePixel(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

// The pages of a PDF as images "<stem>-1.png", ...; returns the first.
QImage PdfSeite(const fs::path& pdf, const fs::path& stem) {
    const std::string cmd =
        std::string(VX_PDFTOPPM) + " -r 60 -png '" + pdf.string() + "' '" + stem.string() + "'";
    if (std::system(cmd.c_str()) != 0) return {};
    return QImage(QString::fromStdString(stem.string() + "-1.png"));
}

TEST(ChartValues, AmountTextsInEveryFormReadAsExactCents) {
    struct Fall {
        const char* szText;
        bool bOk;
        long long nCent;
        char cWaehrung;
    } const faelle[] = {
        {"1.234,56", true, 123456, 'e'},
        {"1.234", true, 123400, 'e'},
        {"1234", true, 123400, 'e'},
        {"-0,50", true, -50, 'e'},
        {"  12,5 ", true, 1250, 'e'},
        {"1.000.000,01", true, 100000001, 'e'},
        {"0,005", true, 1, 'e'},
        {"-0,005", true, -1, 'e'},
        {"0,0049", true, 0, 'e'},
        {"e    123456", true, 123456, 'e'},
        {"e         0", true, 0, 'e'},
        {"e     -1234", true, -1234, 'e'},
        {"d   995", true, 995, 'd'},
        {"", true, 0, 'e'},
        {"   ", true, 0, 'e'},
        {"abc", false, 0, 'e'},
        {"e", false, 0, 'e'},
        {"e 12x", false, 0, 'e'},
        {"12,34 EUR", false, 0, 'e'},
        {"1,2,3", false, 0, 'e'},
    };
    for (const Fall& f : faelle) {
        CWBetragBasis betrag = CWBetragBasis::FromCent(77);
        EXPECT_EQ(GrafikWertLesen(f.szText, betrag), f.bOk) << f.szText;
        EXPECT_EQ(betrag.GetCent(), f.nCent) << f.szText;
        EXPECT_EQ(betrag.GetWaehrung(), f.cWaehrung) << f.szText;
    }
}

TEST(ChartValues, BarTextsAreDisplayFormsWithTheCurrencyMark) {
    EXPECT_EQ(GrafikWertText(CWBetragBasis::FromCent(123456)), "1.234,56 \x80");
    EXPECT_EQ(GrafikWertText(CWBetragBasis::FromCent(-50)), "-0,50 \x80");
    EXPECT_EQ(GrafikWertText(CWBetragBasis::FromCent(0)), "0,00 \x80");
    EXPECT_EQ(GrafikWertText(CWBetragBasis::FromCent(995, 'd')), "9,95 DM");
}

TEST(ChartRows, FindRowAndFindColMatchBothKeysAndReportAbsence) {
    CTestGrafik grafik(
        {{"0001", "10,00"}, {"0002", "20,00"}, {"0001", "99,00"}, {"Alle", "30,00"}});
    grafik.FillChartData();
    ASSERT_EQ(grafik.GetRows().size(), 3u); // the repeated key is not added again
    EXPECT_EQ(grafik.GetRows()[0].m_strWert, "10,00");
    EXPECT_EQ(grafik.FindRow("0002", ""), 1);
    EXPECT_EQ(grafik.FindRow("Alle", ""), 2);
    EXPECT_EQ(grafik.FindRow("0002", "x"), -1);
    EXPECT_EQ(grafik.FindRow("0003", ""), -1);
    EXPECT_EQ(grafik.FindRow("000", ""), -1);

    ASSERT_EQ(grafik.GetCols().size(), 1u);
    std::vector<CCols> vecCols(3);
    vecCols[0].MoveCol("A", "Eins", "");
    vecCols[1].MoveCol("B", "Zwei", "");
    vecCols[2].MoveCol("A", "Drei", "");
    EXPECT_EQ(grafik.FindCol(vecCols, "B"), 1);
    EXPECT_EQ(grafik.FindCol(vecCols, "A"), 0);
    EXPECT_EQ(grafik.FindCol(vecCols, ""), -1);
    EXPECT_EQ(grafik.FindCol({}, ""), -1);
}

TEST(ChartRows, GroupsFollowTheRowsAndSeriesTheColumns) {
    std::vector<CCols> vecCols(2);
    vecCols[0].MoveCol("N", "Netto", "");
    vecCols[1].MoveCol("B", "Brutto", "");
    const std::vector<CRows> vecRows = {
        Row("2", "", "B", "119,00", "Zwei"), Row("1", "", "N", "50,00", "Eins"),
        Row("2", "", "N", "100,00", "Zwei"), Row("2", "", "N", "1,00"), // later duplicate
        Row("1", "x", "X", "e 500", "Eins"),                            // unknown column
        Row("3", "", "N", "viel", "Drei")};
    const CGrafikDaten daten = BaueGrafikDaten(vecRows, vecCols);

    EXPECT_EQ(daten.vecGruppen, (std::vector<CString>{"Zwei", "Eins", "Eins", "Drei"}));
    ASSERT_EQ(daten.vecSerien.size(), 3u);
    EXPECT_EQ(daten.vecSerien[0].strTitel, "Netto");
    EXPECT_EQ(daten.vecSerien[1].strTitel, "Brutto");
    EXPECT_EQ(daten.vecSerien[2].strTitel, "Spalte X");
    EXPECT_EQ(daten.nUngueltig, 1);
    auto cent = [&](int nSerie, int nGruppe) {
        const auto& wert = daten.vecSerien[nSerie].vecWerte.at(nGruppe);
        return wert ? wert->GetCent() : -999;
    };
    EXPECT_EQ(cent(0, 0), 10000);
    EXPECT_EQ(cent(1, 0), 11900);
    EXPECT_EQ(cent(0, 1), 5000);
    EXPECT_EQ(cent(1, 1), -999); // no row: no bar value
    EXPECT_EQ(cent(2, 2), 500);
    EXPECT_EQ(cent(0, 3), 0); // not an amount: drawn as zero
}

TEST_F(ChartTest, TheChartHasASetPerColumnAndTextsOnItsBars) {
    CTestGrafik grafik({{"0001", "1.234,56"}, {"0002", "e     -5000"}, {"Alle", "1184,56"}});
    grafik.FillChartData();
    CGrafikAnsicht ansicht("T", "S", BaueGrafikDaten(grafik.GetRows(), grafik.GetCols()));
    ASSERT_NE(ansicht.GetChart(), nullptr);
    const auto vecSerien = ansicht.GetChart()->series();
    ASSERT_EQ(vecSerien.size(), 1);
    const auto* pBars = qobject_cast<QBarSeries*>(vecSerien[0]);
    ASSERT_NE(pBars, nullptr);
    ASSERT_EQ(pBars->count(), 1);
    const QBarSet* pSet = pBars->barSets()[0];
    EXPECT_EQ(pSet->label(), QStringLiteral("Gesamtumsatz pro Laborkunde"));
    ASSERT_EQ(pSet->count(), 3);
    EXPECT_DOUBLE_EQ(pSet->at(1), -50.0);
    EXPECT_EQ(ansicht.GetBalkenTexte(),
              (std::vector<QString>{QStringLiteral("1.234,56 €"), QStringLiteral("-50,00 €"),
                                    QStringLiteral("1.184,56 €")}));
}

TEST_F(ChartTest, SavedImageHasItsSizeAndOneBarPerRowInProportion) {
    for (const int nZeilen : {1, 3, 7}) {
        std::vector<Posten> vecPosten;
        for (int i = 0; i < nZeilen; ++i) // 100, 200, 300, ... euro, in both text forms
            vecPosten.push_back(
                {"K" + std::to_string(i), i % 2 ? "e" + std::to_string((i + 1) * 10000)
                                                : std::to_string((i + 1) * 100) + ",00"});
        CTestGrafik grafik(vecPosten);
        const fs::path bild = m_dir / ("bild" + std::to_string(nZeilen) + ".png");
        CString strError;
        ASSERT_TRUE(grafik.SavePng(bild.string(), strError)) << strError;
        EXPECT_EQ(grafik.m_nFills, 1);

        const QImage image(QString::fromStdString(bild.string()));
        ASSERT_EQ(image.size(), QSize(CdiaGrafik::kBildBreite, CdiaGrafik::kBildHoehe));
        const std::vector<Balken> balken = FindeBalken(image);
        ASSERT_EQ(static_cast<int>(balken.size()), nZeilen) << nZeilen;
        for (int i = 1; i < nZeilen; ++i) {
            EXPECT_GT(balken[i].nX, balken[i - 1].nX);
            EXPECT_NEAR(static_cast<double>(balken[i].nHoehe) / balken[0].nHoehe, i + 1,
                        0.05 * (i + 1))
                << nZeilen << " rows, bar " << i;
        }
    }
}

TEST_F(ChartTest, WithoutRowsTheChartSaysSoInsteadOfFailing) {
    CGrafikAnsicht ansicht("T", "S", CGrafikDaten{});
    EXPECT_EQ(ansicht.GetChart(), nullptr);
    const auto* pLeer = ansicht.findChild<QLabel*>(QStringLiteral("KeineDaten"));
    ASSERT_NE(pLeer, nullptr);
    EXPECT_EQ(pLeer->text(), QStringLiteral("Keine Daten"));

    CTestGrafik grafik(std::vector<Posten>{});
    CString strError;
    const fs::path bild = m_dir / "leer.png";
    ASSERT_TRUE(grafik.SavePng(bild.string(), strError)) << strError;
    const QImage image(QString::fromStdString(bild.string()));
    EXPECT_EQ(image.size(), QSize(CdiaGrafik::kBildBreite, CdiaGrafik::kBildHoehe));
    EXPECT_TRUE(FindeBalken(image).empty());
    EXPECT_GT(DunklePixel(image), 500); // the titles and "Keine Daten" are drawn
}

TEST_F(ChartTest, AnImageThatCannotBeWrittenIsNamedAndLeavesNothingBehind) {
    CTestGrafik grafik(std::vector<Posten>{{"0001", "10,00"}});
    const fs::path ordner = m_dir / "ordner.png"; // a folder in the way of the file
    fs::create_directories(ordner / "inhalt");
    for (const fs::path& ziel : {m_dir / "fehlt" / "bild.png", ordner}) {
        CString strError;
        EXPECT_FALSE(grafik.SavePng(ziel.string(), strError)) << ziel;
        EXPECT_NE(strError.find("Das Bild kann nicht gespeichert werden"), CString::npos)
            << strError;
        EXPECT_NE(strError.find(ziel.string()), CString::npos) << strError;
    }
    EXPECT_TRUE(fs::exists(ordner / "inhalt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

    CTestGrafik kaputt(std::vector<Posten>{{"0001", "10,00"}}, false);
    CString strError;
    EXPECT_FALSE(kaputt.SavePng((m_dir / "nie.png").string(), strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_FALSE(fs::exists(m_dir / "nie.png"));
}

TEST_F(ChartTest, ThePrintIsOneLandscapePageWithTheBars) {
    CTestGrafik grafik({{"0001", "1.234,56"}, {"0002", "617,28"}, {"Alle", "1.851,84"}});
    const fs::path pdf = m_dir / "druck.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    CString strError;
    ASSERT_TRUE(grafik.Print(printer, strError)) << strError;

    const QImage seite = PdfSeite(pdf, m_dir / "seite");
    ASSERT_FALSE(seite.isNull());
    EXPECT_GT(seite.width(), seite.height()); // landscape, one page
    EXPECT_FALSE(fs::exists(m_dir / "seite-2.png"));
    const std::vector<Balken> balken = FindeBalken(seite);
    ASSERT_EQ(balken.size(), 3u);
    EXPECT_NEAR(static_cast<double>(balken[0].nHoehe) / balken[1].nHoehe, 2.0, 0.1);
    EXPECT_NEAR(static_cast<double>(balken[2].nHoehe) / balken[1].nHoehe, 3.0, 0.15);
}

TEST_F(ChartTest, TheWindowShowsTheChartWithItsCommandsAndClosesOnEsc) {
    CTestGrafik grafik({{"0001", "1.234,56"},
                        {"0002", "e     80000"},
                        {"0003", "12,00"},
                        {"Alle", "e    216656"}});
    bool bGesehen = false;
    QTimer::singleShot(0, [&] {
        auto* pWindow = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pWindow, nullptr);
        EXPECT_EQ(pWindow, grafik.GetQWidget());
        EXPECT_EQ(pWindow->windowTitle(), QStringLiteral("Gesamtumsatz"));
        QStringList knoepfe;
        for (const QPushButton* pKnopf : pWindow->findChildren<QPushButton*>())
            knoepfe << pKnopf->text() + QLatin1Char('|') + pKnopf->shortcut().toString();
        EXPECT_EQ(knoepfe,
                  (QStringList{QStringLiteral("Als Bild speichern…|Ctrl+S"),
                               QStringLiteral("Drucken…|Ctrl+P"), QStringLiteral("Schließen|")}));
        const auto* pStatistik = pWindow->findChild<QLabel*>(QStringLiteral("StatistikTitel"));
        ASSERT_NE(pStatistik, nullptr);
        EXPECT_EQ(FromQString(pStatistik->text()), grafik.GetStatistikTitel());
        QCoreApplication::processEvents();
        EXPECT_FALSE(SaveScreenshot(*pWindow, QStringLiteral("diaGrafik")).isEmpty());
        bGesehen = true;
        QTest::keyClick(pWindow, Qt::Key_Escape);
    });
    EXPECT_EQ(grafik.DoModal(), 0);
    EXPECT_TRUE(bGesehen);
    EXPECT_EQ(grafik.GetQWidget(), nullptr);
}

} // namespace

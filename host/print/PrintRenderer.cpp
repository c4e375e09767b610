#include "host/print/PrintRenderer.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/print/AbsTabs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>

#include <algorithm>

namespace {

constexpr double kGrundGroesse = 8.0; // points of the list text
constexpr double kKopfGroesse = 10.0; // points of the first heading line

QString ToQString(const CString& text) {
    if (IsAscii(text)) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromUtf8(Cp1252ToUtf8(text));
}

bool IsTrennlinie(const CString& text) {
    return !text.empty() && text.find_first_not_of('-') == CString::npos;
}

bool HatTabs(const CString& text) {
    return text.find('\t') != CString::npos;
}

// The widest line that is printed as it is, in characters.
std::size_t BreitesteFesteZeile(const PrintDoc& doc) {
    std::size_t nMax = 0;
    const auto take = [&](const CString& s) {
        if (!HatTabs(s) && !IsTrennlinie(s)) nMax = std::max(nMax, s.size());
    };
    take(doc.Variable("Spaltenueberschrift"));
    for (const PrintRecord& rec : doc.vecZeilen) {
        take(rec.strZeile);
        take(rec.strGruppenkopf);
    }
    return nMax;
}

class CSeitenDruck {
public:
    CSeitenDruck(const PrintDoc& doc, QPagedPaintDevice& device, const CString& strDruckdatum)
        : m_doc(doc), m_device(device), m_strDruckdatum(strDruckdatum) {}

    int Render() {
        if (!m_painter.begin(&m_device)) return 0;
        m_dBreite = m_device.width();
        m_dHoehe = m_device.height();
        SetupFonts();
        SetupTabs();
        m_strSpaltenKopf = m_doc.Variable("Spaltenueberschrift");
        if (Blank(m_strSpaltenKopf) && !m_doc.vecZeilen.empty())
            m_strSpaltenKopf = m_doc.vecZeilen.front().strGruppenkopf;
        Kopf();
        for (const PrintRecord& rec : m_doc.vecZeilen)
            Satz(rec);
        Fuss();
        m_painter.end();
        return m_nSeite;
    }

private:
    void SetupFonts() {
        m_font = QFont("DejaVu Sans Mono");
        m_font.setStyleHint(QFont::Monospace);
        m_font.setPointSizeF(kGrundGroesse);
        const std::size_t nZeichen = BreitesteFesteZeile(m_doc);
        const double dZeichen = QFontMetricsF(m_font, &m_device).horizontalAdvance(QChar('0'));
        if (nZeichen > 0 && nZeichen * dZeichen > m_dBreite)
            m_font.setPointSizeF(kGrundGroesse * m_dBreite / (nZeichen * dZeichen));
        m_fontFett = m_font;
        m_fontFett.setBold(true);
        m_fontKopf = m_fontFett;
        m_fontKopf.setPointSizeF(kKopfGroesse);
        const QFontMetricsF fm(m_font, &m_device);
        m_dZeichen = fm.horizontalAdvance(QChar('0'));
        m_raw = RawFont(m_font);
        m_rawFett = RawFont(m_fontFett);
        m_dZeile = fm.lineSpacing();
        m_dAscent = fm.ascent();
    }

    void SetupTabs() {
        const std::vector<PrintTabStop> stops = ParseAbsTabs(m_doc.Variable("Tabulatoren"));
        double dSumme = 0;
        for (const PrintTabStop& s : stops)
            dSumme += s.nBreite;
        const double dFaktor = dSumme > 0 ? m_dBreite / dSumme : 0;
        double x = 0;
        for (const PrintTabStop& s : stops) {
            m_vecSpalten.push_back({x, x + s.nBreite * dFaktor, s.bRechts});
            x += s.nBreite * dFaktor;
        }
    }

    // The list's fixed-width font at the device's size: its lines are drawn as glyph
    // runs, one glyph per character, which spares the text layout of every line.
    QRawFont RawFont(const QFont& font) const {
        QRawFont raw = QRawFont::fromFont(font);
        raw.setPixelSize(font.pointSizeF() * m_device.logicalDpiY() / 72.0);
        return raw;
    }

    // A line is one glyph run. Blanks get no glyph: every glyph has its place
    // anyway, and the fixed-width lines are mostly blanks.
    void AddGlyphs(double x, const QString& text, const QRawFont& raw) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        for (qsizetype n = 0; n < glyphs.size() && n < text.size(); ++n) {
            if (text[n] == QLatin1Char(' ')) continue;
            m_glyphs.append(glyphs[n]);
            m_positions.append(QPointF(x + n * m_dZeichen, 0));
        }
    }

    void DrawGlyphs(double yBase, const QRawFont& raw) {
        if (!m_glyphs.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(raw);
            run.setGlyphIndexes(m_glyphs);
            run.setPositions(m_positions);
            m_painter.drawGlyphRun(QPointF(0, yBase), run);
        }
        m_glyphs.clear();
        m_positions.clear();
    }

    void SetFont(const QFont& font) {
        if (&font == m_pAktFont) return;
        m_painter.setFont(font);
        m_pAktFont = &font;
    }

    void Kopf() {
        ++m_nSeite;
        m_dY = 0;
        SetFont(m_fontKopf);
        const QFontMetricsF fmKopf(m_fontKopf, &m_device);
        const QRectF rcKopf(0, 0, m_dBreite, fmKopf.lineSpacing());
        m_painter.drawText(rcKopf, Qt::AlignLeft | Qt::AlignVCenter,
                           ToQString(m_doc.Variable("Ueberschrift1")));
        SetFont(m_font);
        m_painter.drawText(rcKopf, Qt::AlignRight | Qt::AlignVCenter,
                           ToQString("Druckdatum: " + m_strDruckdatum));
        m_dY += fmKopf.lineSpacing();
        for (const char* szName : {"Ueberschrift2", "Ueberschrift3"}) {
            const CString strText = m_doc.Variable(szName);
            if (!strText.empty()) Zeile(strText, false);
        }
        m_dY += m_dZeile / 2;
        if (!Blank(m_strSpaltenKopf)) Zeile(m_strSpaltenKopf, true);
        Linie();
    }

    void Fuss() {
        SetFont(m_font);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(0, m_dHoehe - m_dZeile, m_dBreite, m_dZeile), Qt::AlignCenter,
                           QString("Seite %1").arg(m_nSeite));
    }

    void NeueSeiteWennVoll() {
        if (m_dY + m_dZeile <= m_dHoehe - 2 * m_dZeile) return;
        Fuss();
        m_device.newPage();
        Kopf();
    }

    void Satz(const PrintRecord& rec) {
        if (!rec.strGruppenkopf.empty() && rec.strGruppenkopf != m_strSpaltenKopf) {
            m_strSpaltenKopf = rec.strGruppenkopf;
            NeueSeiteWennVoll();
            Zeile(m_strSpaltenKopf, true);
        }
        NeueSeiteWennVoll();
        if (rec.bFarbe)
            m_painter.setPen(
                QColor(rec.nFarbe & 0xFF, (rec.nFarbe >> 8) & 0xFF, (rec.nFarbe >> 16) & 0xFF));
        if (IsTrennlinie(rec.strZeile))
            Linie();
        else
            Zeile(rec.strZeile, rec.bFett);
        if (rec.bFarbe) m_painter.setPen(Qt::black);
    }

    void Linie() {
        const double y = m_dY + m_dZeile / 2;
        m_painter.drawLine(QPointF(0, y), QPointF(m_dBreite, y));
        m_dY += m_dZeile;
    }

    void Zeile(const CString& strText, bool bFett) {
        const QRawFont& raw = bFett ? m_rawFett : m_raw;
        if (!HatTabs(strText) || m_vecSpalten.empty()) {
            AddGlyphs(0, ToQString(strText), raw);
        } else {
            std::size_t nStart = 0;
            for (std::size_t nFeld = 0; nStart <= strText.size(); ++nFeld) {
                std::size_t nEnd = strText.find('\t', nStart);
                if (nEnd == CString::npos) nEnd = strText.size();
                Feld(nFeld, strText.substr(nStart, nEnd - nStart), raw);
                nStart = nEnd + 1;
            }
        }
        DrawGlyphs(m_dY + m_dAscent, raw);
        m_dY += m_dZeile;
    }

    // A field at its tab stop; fields beyond the last stop follow it.
    void Feld(std::size_t nFeld, const CString& strFeld, const QRawFont& raw) {
        if (strFeld.empty()) return;
        const QString text = ToQString(strFeld);
        const Spalte& sp = m_vecSpalten[std::min(nFeld, m_vecSpalten.size() - 1)];
        double x = nFeld < m_vecSpalten.size() ? sp.dLinks : sp.dRechts;
        if (sp.bRechts && nFeld < m_vecSpalten.size()) x = sp.dRechts - text.size() * m_dZeichen;
        AddGlyphs(x, text, raw);
    }

    struct Spalte {
        double dLinks;
        double dRechts;
        bool bRechts;
    };

    const PrintDoc& m_doc;
    QPagedPaintDevice& m_device;
    CString m_strDruckdatum;
    QPainter m_painter;
    QFont m_font, m_fontFett, m_fontKopf;
    const QFont* m_pAktFont = nullptr;
    QRawFont m_raw, m_rawFett;
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
    std::vector<Spalte> m_vecSpalten;
    CString m_strSpaltenKopf;
    double m_dBreite = 0, m_dHoehe = 0, m_dZeichen = 0, m_dZeile = 0, m_dAscent = 0, m_dY = 0;
    int m_nSeite = 0;
};

} // namespace

void SetupPrintPage(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

int RenderPrintDoc(const PrintDoc& doc, QPagedPaintDevice& device, const CString& strDruckdatum) {
    return CSeitenDruck(doc, device, strDruckdatum).Render();
}

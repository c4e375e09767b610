#include "host/chart/GrafikAnsicht.h"

#include "host/TextUtil.h"
#include "host/chart/GrafikWert.h"
#include "host/gui/QtText.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <set>

namespace {

constexpr int kSchraegAbGruppen = 8;    // more groups: the group labels are set at a slant
constexpr double kLuftOben = 0.18;      // room above the highest bar for its text
constexpr double kLuftSenkrecht = 0.30; // more room when bar texts stand upright

QLabel* NeuesLabel(const QString& strText, double dGroesse, bool bFett, const char* szName) {
    auto* pLabel = new QLabel(strText);
    pLabel->setObjectName(QLatin1String(szName));
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setWordWrap(true);
    QFont font = pLabel->font();
    font.setPointSizeF(font.pointSizeF() * dGroesse);
    font.setBold(bFett);
    pLabel->setFont(font);
    return pLabel;
}

// The category axis merges equal texts, so groups of the same label (different
// keys) are told apart by invisible zero-width spaces.
QStringList EindeutigeGruppen(const std::vector<CString>& vecGruppen) {
    QStringList list;
    std::set<QString> gesehen;
    for (const CString& strGruppe : vecGruppen) {
        QString strText = ToQString(strGruppe);
        while (!gesehen.insert(strText).second)
            strText += QChar(0x200B);
        list << strText;
    }
    return list;
}

double Wert(const std::optional<CWBetragBasis>& wert) {
    return wert ? static_cast<double>(wert->GetCent()) / 100.0 : 0.0; // drawing only
}

} // namespace

CGrafikAnsicht::CGrafikAnsicht(const CString& strTitel, const CString& strStatistikTitel,
                               const CGrafikDaten& daten, QWidget* pParent)
    : QWidget(pParent) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(NeuesLabel(ToQString(strTitel), 1.8, true, "Titel"));
    pLayout->addWidget(NeuesLabel(ToQString(strStatistikTitel), 1.2, false, "StatistikTitel"));
    if (daten.IsEmpty()) {
        pLayout->addWidget(NeuesLabel(QStringLiteral("Keine Daten"), 2.0, false, "KeineDaten"), 1);
    } else {
        BaueChart(daten);
        pLayout->addWidget(m_pView, 1);
    }
    if (daten.nUngueltig > 0) {
        const QString strHinweis =
            daten.nUngueltig == 1
                ? QStringLiteral("Ein Wert ist kein Betrag und wird als 0 gezeigt.")
                : QStringLiteral("%1 Werte sind keine Beträge und werden als 0 gezeigt.")
                      .arg(daten.nUngueltig);
        pLayout->addWidget(NeuesLabel(strHinweis, 1.0, false, "Hinweis"));
    }
}

void CGrafikAnsicht::BaueChart(const CGrafikDaten& daten) {
    m_pChart = new QChart;
    m_pChart->setLocalizeNumbers(true);
    m_pChart->setLocale(QLocale(QLocale::German, QLocale::Germany));
    m_pChart->legend()->setAlignment(Qt::AlignBottom);
    m_pSerien = new QBarSeries;
    double dMin = 0, dMax = 0;
    for (const CGrafikSerie& serie : daten.vecSerien) {
        auto* pSet = new QBarSet(ToQString(serie.strTitel));
        std::vector<double>& vecWerte = m_vecWerte.emplace_back();
        std::vector<QGraphicsSimpleTextItem*>& vecTexte = m_vecTexte.emplace_back();
        for (const auto& wert : serie.vecWerte) {
            const double dWert = Wert(wert);
            *pSet << dWert;
            vecWerte.push_back(dWert);
            dMin = std::min(dMin, dWert);
            dMax = std::max(dMax, dWert);
            QGraphicsSimpleTextItem* pText = nullptr;
            if (wert)
                pText = new QGraphicsSimpleTextItem(ToQString(GrafikWertText(*wert)), m_pChart);
            vecTexte.push_back(pText);
        }
        m_pSerien->append(pSet);
    }
    m_pChart->addSeries(m_pSerien);

    auto* pAchseX = new QBarCategoryAxis;
    pAchseX->append(EindeutigeGruppen(daten.vecGruppen));
    if (daten.vecGruppen.size() > kSchraegAbGruppen) pAchseX->setLabelsAngle(-45);
    m_pChart->addAxis(pAchseX, Qt::AlignBottom);
    m_pSerien->attachAxis(pAchseX);

    auto* pAchseY = new QValueAxis;
    const bool bSenkrecht = daten.vecGruppen.size() * daten.vecSerien.size() > kSchraegAbGruppen;
    const double dLuft = bSenkrecht ? kLuftSenkrecht : kLuftOben;
    if (dMax <= dMin) dMax = 1; // every value zero: an empty scale up to 1
    const double dSpanne = dMax - dMin;
    pAchseY->setRange(dMin < 0 ? dMin - dSpanne * dLuft : 0, dMax > 0 ? dMax + dSpanne * dLuft : 0);
    pAchseY->applyNiceNumbers();
    pAchseY->setLabelFormat(QStringLiteral("%.0f €"));
    m_pChart->addAxis(pAchseY, Qt::AlignLeft);
    m_pSerien->attachAxis(pAchseY);

    m_pView = new QChartView(m_pChart);
    m_pView->setObjectName(QStringLiteral("Diagramm"));
    m_pView->setRenderHint(QPainter::Antialiasing);
    connect(m_pChart, &QChart::plotAreaChanged, this, [this] { SetzeBalkenTexte(); });
}

void CGrafikAnsicht::SetzeBalkenTexte() {
    if (!m_pChart) return;
    const int nSerien = static_cast<int>(m_vecTexte.size());
    const double dBreite = m_pSerien->barWidth() / nSerien; // of one bar, in groups
    const double dPixel = m_pChart->mapToPosition(QPointF(dBreite, 0), m_pSerien).x() -
                          m_pChart->mapToPosition(QPointF(0, 0), m_pSerien).x();
    for (int j = 0; j < nSerien; ++j) {
        for (std::size_t i = 0; i < m_vecTexte[j].size(); ++i) {
            QGraphicsSimpleTextItem* pText = m_vecTexte[j][i];
            if (!pText) continue;
            const double dWert = m_vecWerte[j][i];
            const double dX =
                static_cast<double>(i) - m_pSerien->barWidth() / 2 + dBreite * (j + 0.5);
            const QPointF p = m_pChart->mapToPosition(QPointF(dX, dWert), m_pSerien);
            const QRectF r = pText->boundingRect();
            // A text wider than its bar stands upright along the bar.
            const bool bSenkrecht = r.width() > dPixel * 1.2;
            pText->setRotation(bSenkrecht ? -90 : 0);
            if (bSenkrecht)
                pText->setPos(p.x() - r.height() / 2,
                              dWert >= 0 ? p.y() - 3 : p.y() + 3 + r.width());
            else
                pText->setPos(p.x() - r.width() / 2,
                              dWert >= 0 ? p.y() - r.height() - 2 : p.y() + 2);
        }
    }
}

std::vector<QString> CGrafikAnsicht::GetBalkenTexte() const {
    std::vector<QString> vecTexte;
    for (const auto& vecSerie : m_vecTexte)
        for (const QGraphicsSimpleTextItem* pText : vecSerie)
            vecTexte.push_back(pText ? pText->text() : QString());
    return vecTexte;
}

void CGrafikAnsicht::Layout(QSize size) {
    // Shown off the screen once, so that the widget and the chart lay themselves
    // out at this size as they do in a window.
    resize(size);
    if (!isVisible()) {
        setAttribute(Qt::WA_DontShowOnScreen);
        show();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (m_pChart && m_pChart->layout()) m_pChart->layout()->activate();
    SetzeBalkenTexte();
}

QImage CGrafikAnsicht::Bild(QSize size, double dSchaerfe) {
    Layout(size);
    QImage image(size * dSchaerfe, QImage::Format_RGB32);
    image.setDevicePixelRatio(dSchaerfe);
    image.fill(Qt::white);
    QPainter painter(&image);
    render(&painter);
    return image;
}

void CGrafikAnsicht::Zeichne(QPainter& painter, const QRect& rect) {
    // Laid out at a screen-like width and drawn as a sharp image scaled to the
    // page: the chart's texts are sized for the screen, and a printer's resolution
    // would give them another size than their boxes.
    const int nBreite = 1200;
    const int nHoehe = std::max(1, nBreite * rect.height() / std::max(1, rect.width()));
    const QImage bild = Bild(QSize(nBreite, nHoehe), kDruckSchaerfe);
    painter.drawImage(rect, bild);
}

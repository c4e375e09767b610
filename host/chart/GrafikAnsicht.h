#pragma once
// The drawn chart: the chart title (big), the evaluation title below it and the
// bars with their amounts, or "Keine Daten" when there is nothing to draw. The
// same widget is shown in the window, saved as an image and printed.
#include "host/CString.h"
#include "host/chart/GrafikDaten.h"

#include <QImage>
#include <QWidget>
#include <vector>

class QBarSeries;
class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QLabel;
class QPainter;
class QStackedWidget;

class CGrafikAnsicht : public QWidget {
public:
    CGrafikAnsicht(const CString& strTitel, const CString& strStatistikTitel,
                   const CGrafikDaten& daten, QWidget* pParent = nullptr);

    // The whole view laid out at the given size and drawn without a window, with
    // dSchaerfe image pixels per layout pixel.
    QImage Bild(QSize size, double dSchaerfe = 1.0);
    static constexpr double kDruckSchaerfe = 2.5; // about 230 dpi on a landscape page
    // The whole view drawn into rect of painter (a printer page), scaled to fit.
    void Zeichne(QPainter& painter, const QRect& rect);

    // For the tests: the chart (nullptr when "Keine Daten" is shown) and the texts
    // on the bars, series by series.
    QChart* GetChart() const { return m_pChart; }
    std::vector<QString> GetBalkenTexte() const;

private:
    void BaueChart(const CGrafikDaten& daten);
    void SetzeBalkenTexte(); // follows the plot area
    void Layout(QSize size);

    QChart* m_pChart = nullptr;
    QChartView* m_pView = nullptr;
    QBarSeries* m_pSerien = nullptr;
    // Per series, per group: the bar's text item (nullptr where the bar has no value).
    std::vector<std::vector<QGraphicsSimpleTextItem*>> m_vecTexte;
    std::vector<std::vector<double>> m_vecWerte;
};

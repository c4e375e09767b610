#include "app/StatHostChoices.h"

#include <QSettings>
#include <QString>

namespace {

// Organisation and application name of our own.
const QString kName = QStringLiteral("vxstat");

std::string Text(const QSettings& s, const char* pszKey, const std::string& strDefault) {
    return s.value(QLatin1String(pszKey), QString::fromStdString(strDefault))
        .toString()
        .toStdString();
}

int Zahl(const QSettings& s, const char* pszKey, int nDefault, int nMin, int nMax) {
    bool bOk = false;
    const int n = s.value(QLatin1String(pszKey), nDefault).toInt(&bOk);
    return bOk && n >= nMin && n <= nMax ? n : nDefault;
}

} // namespace

StatHostChoices LoadStatHostChoices() {
    const QSettings s(kName, kName);
    StatHostChoices c;
    c.strDatenbank = Text(s, "Datenbank", c.strDatenbank);
    c.strDatenordner = Text(s, "Datenordner", c.strDatenordner);
    c.nAuswertung = Zahl(s, "Auswertung", c.nAuswertung, 0, 1);
    c.strZeitraum = Text(s, "Zeitraum", c.strZeitraum);
    c.strAb = Text(s, "AbDatum", c.strAb);
    c.strBis = Text(s, "BisDatum", c.strBis);
    c.strMandant = Text(s, "Mandant", c.strMandant);
    c.nListe = Zahl(s, "Liste", c.nListe, -1, 4);
    c.strLaborkunde = Text(s, "Laborkunde", c.strLaborkunde);
    return c;
}

void SaveStatHostChoices(const StatHostChoices& c) {
    QSettings s(kName, kName);
    const auto Put = [&](const char* pszKey, const QVariant& value) {
        s.setValue(QLatin1String(pszKey), value);
    };
    Put("Datenbank", QString::fromStdString(c.strDatenbank));
    Put("Datenordner", QString::fromStdString(c.strDatenordner));
    Put("Auswertung", c.nAuswertung);
    Put("Zeitraum", QString::fromStdString(c.strZeitraum));
    Put("AbDatum", QString::fromStdString(c.strAb));
    Put("BisDatum", QString::fromStdString(c.strBis));
    Put("Mandant", QString::fromStdString(c.strMandant));
    Put("Liste", c.nListe);
    Put("Laborkunde", QString::fromStdString(c.strLaborkunde));
    s.sync();
}

#include "app/StatHostWindow.h"

#include "app/StatHostRunner.h"
#include "core/LUDefault.h"
#include "core/diaLUConfig.h"
#include "dialog/diaAwLU.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/db/Database.h"
#include "host/db/ZGLKu.h"
#include "host/db/ZMandant.h"
#include "host/gui/QtText.h"
#include "host/stat/DataPath.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace {

constexpr int kEigenerZeitraum = std::size(kStatPresets); // entry after the presets
const QString kAlle = QStringLiteral("alle");

QDate ToQDate(const StatDatum& d) {
    return QDate(d.nJahr, d.nMonat, d.nTag);
}
StatDatum FromQDate(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

QDateEdit* DatumFeld(QWidget* pParent) {
    auto* p = new QDateEdit(pParent);
    p->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    p->setCalendarPopup(true);
    return p;
}

QLabel* Beschriftung(const char* pszUtf8, QWidget* pBuddy) {
    auto* p = new QLabel(QString::fromUtf8(pszUtf8));
    p->setBuddy(pBuddy);
    return p;
}

} // namespace

CStatHostWindow::CStatHostWindow(const StatDatum& heute) : m_heute(heute), m_parent(this) {
    setWindowTitle(QStringLiteral("vxstat – Statistik"));
    m_fnLuShow = [](CdiaAwLU& dialog) { dialog.DoModal(); };
    m_fnGlabShow = DefaultGlabShow();
    m_fnConfigShow = [](CdiaLUConfig& dialog) { return dialog.DoModal(); };
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(BuildDatenbank());
    pLayout->addWidget(BuildAuswahl());
    pLayout->addWidget(BuildLetzterLauf(), 1);
    m_pMeldung = new QLabel(this);
    m_pMeldung->setObjectName(QStringLiteral("Meldung"));
    m_pMeldung->setWordWrap(true);
    m_pMeldung->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLayout->addWidget(m_pMeldung);
    pLayout->addWidget(BuildKnoepfe());
    resize(780, 600);
    ApplyChoices();
    Connect();
}

CStatHostWindow::~CStatHostWindow() {
    ClosePracticeDatabase();
}

QWidget* CStatHostWindow::BuildDatenbank() {
    auto* pBox = new QGroupBox(QStringLiteral("Daten"), this);
    auto* pForm = new QFormLayout(pBox);
    m_pDatenbank = new QLineEdit(pBox);
    m_pDatenbank->setPlaceholderText(QStringLiteral("Datei oder Verbindung der Praxisdatenbank"));
    m_pDatenbankWaehlen = new QPushButton(QStringLiteral("Datei &wählen …"), pBox);
    auto* pZeile = new QHBoxLayout;
    pZeile->addWidget(m_pDatenbank, 1);
    pZeile->addWidget(m_pDatenbankWaehlen);
    pForm->addRow(Beschriftung("&Praxisdatenbank:", m_pDatenbank), pZeile);
    m_pDatenordner = new QLineEdit(pBox);
    m_pOrdnerWaehlen = new QPushButton(QStringLiteral("&Ordner wählen …"), pBox);
    auto* pOrdner = new QHBoxLayout;
    pOrdner->addWidget(m_pDatenordner, 1);
    pOrdner->addWidget(m_pOrdnerWaehlen);
    pForm->addRow(Beschriftung("&Datenordner:", m_pDatenordner), pOrdner);
    return pBox;
}

QGroupBox* CStatHostWindow::BuildAuswahl() {
    auto* pBox = new QGroupBox(QStringLiteral("Auswertung"), this);
    auto* pForm = new QFormLayout(pBox);
    m_pAuswertung = new QComboBox(pBox);
    for (StatAuswertung e : {StatAuswertung::Laborumsatz, StatAuswertung::Gewerbelabor})
        m_pAuswertung->addItem(ToQString(AuswertungTitel(e)));
    pForm->addRow(Beschriftung("A&uswertung:", m_pAuswertung), m_pAuswertung);

    m_pZeitraum = new QComboBox(pBox);
    for (StatPreset e : kStatPresets)
        m_pZeitraum->addItem(QString::fromUtf8(PresetName(e)));
    m_pZeitraum->addItem(QStringLiteral("eigener Zeitraum"));
    m_pAb = DatumFeld(pBox);
    m_pBis = DatumFeld(pBox);
    auto* pZeile = new QHBoxLayout;
    pZeile->addWidget(m_pZeitraum);
    pZeile->addSpacing(12);
    pZeile->addWidget(Beschriftung("&vom", m_pAb));
    pZeile->addWidget(m_pAb);
    pZeile->addWidget(Beschriftung("&bis", m_pBis));
    pZeile->addWidget(m_pBis);
    pZeile->addStretch(1);
    pForm->addRow(Beschriftung("&Zeitraum:", m_pZeitraum), pZeile);

    m_pMandant = new QComboBox(pBox);
    pForm->addRow(Beschriftung("&Mandant:", m_pMandant), m_pMandant);
    m_pListe = new QComboBox(pBox);
    for (int nId : {kVxStrLuLeistungen, kVxStrLuRechnungen, kVxStrLuBezahlt, kVxStrLuStorniert,
                    kVxStrLuFiktiv})
        m_pListe->addItem(ToQString(VxString(nId)));
    pForm->addRow(Beschriftung("&Liste:", m_pListe), m_pListe);
    m_pLaborkunde = new QComboBox(pBox);
    pForm->addRow(Beschriftung("Labor&kunde:", m_pLaborkunde), m_pLaborkunde);
    return pBox;
}

QGroupBox* CStatHostWindow::BuildLetzterLauf() {
    auto* pBox = new QGroupBox(QStringLiteral("Letzte Aufbereitung"), this);
    auto* pForm = new QFormLayout(pBox);
    m_pStand = new QLabel(pBox);
    m_pStand->setObjectName(QStringLiteral("Stand"));
    pForm->addRow(QStringLiteral("Stand:"), m_pStand);
    m_pAuswahl = new QLabel(pBox);
    m_pAuswahl->setObjectName(QStringLiteral("Auswahl"));
    m_pAuswahl->setWordWrap(true);
    pForm->addRow(QStringLiteral("Auswahl:"), m_pAuswahl);
    m_pFehler = new QPlainTextEdit(pBox);
    m_pFehler->setReadOnly(true);
    m_pFehler->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pFehler->setPlaceholderText(QStringLiteral("keine Fehler"));
    pForm->addRow(Beschriftung("&Fehler:", m_pFehler), m_pFehler);
    return pBox;
}

QWidget* CStatHostWindow::BuildKnoepfe() {
    auto* pLeiste = new QWidget(this);
    auto* pZeile = new QHBoxLayout(pLeiste);
    pZeile->setContentsMargins(0, 0, 0, 0);
    m_pEinstellungen = new QPushButton(QStringLiteral("&Einstellungen …"), pLeiste);
    m_pAufbereiten = new QPushButton(QStringLiteral("&Aufbereiten"), pLeiste);
    m_pAnzeigen = new QPushButton(QStringLiteral("A&nzeigen"), pLeiste);
    m_pSchliessen = new QPushButton(QStringLiteral("&Schließen"), pLeiste);
    pZeile->addWidget(m_pEinstellungen);
    pZeile->addStretch(1);
    for (QPushButton* p : {m_pAufbereiten, m_pAnzeigen, m_pSchliessen}) {
        pZeile->addWidget(p);
        p->setAutoDefault(false);
    }
    m_pEinstellungen->setAutoDefault(false);
    m_pDatenbankWaehlen->setAutoDefault(false);
    m_pOrdnerWaehlen->setAutoDefault(false);
    return pLeiste;
}

void CStatHostWindow::Connect() {
    connect(m_pDatenbank, &QLineEdit::editingFinished, this, [this] {
        if (m_pDatenbank->text().trimmed().toStdString() != m_strOffen) OpenDatabase();
    });
    connect(m_pDatenbankWaehlen, &QPushButton::clicked, this, [this] {
        const QString strDatei = QFileDialog::getOpenFileName(
            this, QStringLiteral("Praxisdatenbank wählen"), m_pDatenbank->text(),
            QStringLiteral("Praxisdatenbank (*.db *.sqlite);;Alle Dateien (*)"));
        if (strDatei.isEmpty()) return;
        m_pDatenbank->setText(strDatei);
        OpenDatabase();
    });
    connect(m_pDatenordner, &QLineEdit::editingFinished, this,
            [this] { SetDatenordner(m_pDatenordner->text()); });
    connect(m_pOrdnerWaehlen, &QPushButton::clicked, this, [this] {
        const QString strDir = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Datenordner wählen"), m_pDatenordner->text());
        if (strDir.isEmpty()) return;
        m_pDatenordner->setText(strDir);
        SetDatenordner(strDir);
    });
    connect(m_pAuswertung, &QComboBox::currentIndexChanged, this,
            [this] { OnAuswertungChanged(); });
    connect(m_pZeitraum, &QComboBox::currentIndexChanged, this, [this](int n) {
        if (!m_bFuelle && n >= 0 && n < kEigenerZeitraum) SetPreset(kStatPresets[n]);
    });
    for (QDateEdit* p : {m_pAb, m_pBis})
        connect(p, &QDateEdit::dateChanged, this, [this] { OnDatumChanged(); });
    for (QComboBox* p : {m_pMandant, m_pListe, m_pLaborkunde})
        connect(p, &QComboBox::currentIndexChanged, this, [this] { UpdateDefaultButton(); });
    connect(m_pAufbereiten, &QPushButton::clicked, this, [this] { Aufbereiten(); });
    connect(m_pAnzeigen, &QPushButton::clicked, this, [this] { Anzeigen(); });
    connect(m_pEinstellungen, &QPushButton::clicked, this, [this] { Einstellungen(); });
    connect(m_pSchliessen, &QPushButton::clicked, this, &QDialog::accept);
}

// The remembered choices; the database is opened quietly, a failure shows in the
// message line only.
void CStatHostWindow::ApplyChoices() {
    m_gemerkt = LoadStatHostChoices();
    const StatHostChoices& c = m_gemerkt;
    m_pDatenbank->setText(QString::fromStdString(c.strDatenbank));
    m_pDatenordner->setText(QString::fromStdString(c.strDatenordner));
    m_pAuswertung->setCurrentIndex(c.nAuswertung);
    const auto ab = DatumOfDb(c.strAb), bis = DatumOfDb(c.strBis);
    if (const auto preset = PresetByName(c.strZeitraum)) {
        SetPreset(*preset);
    } else if (c.strZeitraum.empty() && ab && bis) {
        m_pAb->setDate(ToQDate(*ab));
        m_pBis->setDate(ToQDate(*bis));
        OnDatumChanged();
    } else {
        SetPreset(StatPreset::Monat);
    }
    m_bFuelle = true; // nothing is saved while the remembered choices are put back
    SetDatenordner(m_pDatenordner->text());
    if (c.strDatenbank.empty())
        Melde("Bitte zuerst die Praxisdatenbank w\xE4hlen.");
    else
        OpenDatabase(false);
    if (m_strOffen.empty()) {
        FillMandanten(QString::fromStdString(c.strMandant));
        FillLaborkunden(QString::fromStdString(c.strLaborkunde));
    }
    if (c.nListe >= 0) m_pListe->setCurrentIndex(c.nListe);
    m_bFuelle = false;
    OnAuswertungChanged();
}

StatAuswertung CStatHostWindow::Auswertung() const {
    return m_pAuswertung->currentIndex() == 1 ? StatAuswertung::Gewerbelabor
                                              : StatAuswertung::Laborumsatz;
}

StatHostRequest CStatHostWindow::Request() const {
    StatHostRequest req;
    req.eAuswertung = Auswertung();
    req.strAb = DbDatum(FromQDate(m_pAb->date()));
    req.strBis = DbDatum(FromQDate(m_pBis->date()));
    req.strMandant = FromQString(m_pMandant->currentData().toString());
    LuModeOfListIdx(m_pListe->currentIndex(), req.eMode);
    const QString strKunde = m_pLaborkunde->currentData().toString();
    req.strLaborkunde = strKunde.isEmpty() ? CString("alle") : FromQString(strKunde);
    return req;
}

void CStatHostWindow::SetPreset(StatPreset ePreset) {
    const StatZeitraum z = ZeitraumOf(ePreset, m_heute);
    m_bFuelle = true;
    m_pZeitraum->setCurrentIndex(static_cast<int>(ePreset));
    m_pAb->setDate(ToQDate(z.ab));
    m_pBis->setDate(ToQDate(z.bis));
    m_bFuelle = false;
    UpdateDefaultButton();
}

// Dates typed by hand: the preset they happen to match, else "eigener Zeitraum".
void CStatHostWindow::OnDatumChanged() {
    if (m_bFuelle) return;
    const StatZeitraum z{FromQDate(m_pAb->date()), FromQDate(m_pBis->date())};
    const auto preset = PresetOf(z, m_heute);
    m_bFuelle = true;
    m_pZeitraum->setCurrentIndex(preset ? static_cast<int>(*preset) : kEigenerZeitraum);
    m_bFuelle = false;
    UpdateDefaultButton();
}

void CStatHostWindow::SetDatenordner(const QString& strDir) {
    SetDataDir("");
    m_pDatenordner->setPlaceholderText(QString::fromStdString(DataDirName()));
    std::string strOrdner = strDir.trimmed().toStdString();
    if (std::error_code ec; !strOrdner.empty()) {
        strOrdner = std::filesystem::absolute(strOrdner, ec).lexically_normal().string();
        m_pDatenordner->setText(QString::fromStdString(strOrdner));
    }
    SetDataDir(strOrdner);
    RefreshHitInfo();
}

bool CStatHostWindow::OpenDatabase(bool bMelden) {
    const QString strMandant = m_pMandant->currentData().toString();
    const QString strKunde = m_pLaborkunde->currentData().toString();
    ClosePracticeDatabase();
    m_strOffen.clear();
    // A file is remembered with its whole path, so that it is found from anywhere.
    std::string strOrt = m_pDatenbank->text().trimmed().toStdString();
    if (std::error_code ec; !strOrt.empty() && std::filesystem::exists(strOrt, ec)) {
        strOrt = std::filesystem::absolute(strOrt, ec).lexically_normal().string();
        m_pDatenbank->setText(QString::fromStdString(strOrt));
    }
    CString strError;
    bool bOk = false;
    if (strOrt.empty())
        strError = "Bitte zuerst die Praxisdatenbank w\xE4hlen.";
    else
        bOk = OpenPracticeDatabase(strOrt, strError);
    if (bOk) {
        m_strOffen = strOrt;
        Melde("Praxisdatenbank ge\xF6"
              "ffnet: " +
              CString(strOrt));
    } else {
        Melde(strError);
        if (bMelden) HaltE("Praxisdatenbank", strError);
    }
    // The remembered owner and customer, until the user has chosen others.
    FillMandanten(strMandant.isEmpty() ? QString::fromStdString(m_gemerkt.strMandant) : strMandant);
    FillLaborkunden(strKunde.isEmpty() ? QString::fromStdString(m_gemerkt.strLaborkunde)
                                       : strKunde);
    if (bOk && m_gemerkt.nListe < 0) m_pListe->setCurrentIndex(CLUDefault().GetLstRechIdx());
    if (bOk && !m_bFuelle) SaveChoices();
    return bOk;
}

void CStatHostWindow::FillMandanten(const QString& strGewaehlt) {
    m_pMandant->clear();
    m_pMandant->addItem(QStringLiteral("Alle Mandanten"), QString());
    if (!m_strOffen.empty()) {
        CZMandant md;
        for (int rc = md.GetByK1(CTKRSet::kFromKey); rc == CTKRSet::kOk; rc = md.Next()) {
            const CString strName = Trim(md.m_strName);
            const CString strId = Trim(md.m_strMdId);
            m_pMandant->addItem(ToQString(strName.empty() ? strId : strName + " (" + strId + ")"),
                                ToQString(md.m_strMdId));
        }
    }
    m_pMandant->setCurrentIndex(std::max(0, m_pMandant->findData(strGewaehlt)));
}

void CStatHostWindow::FillLaborkunden(const QString& strGewaehlt) {
    m_pLaborkunde->clear();
    m_pLaborkunde->addItem(QStringLiteral("Alle Laborkunden"), kAlle);
    if (!m_strOffen.empty()) {
        CZGLKu ku;
        for (int rc = ku.GetByK1(CTKRSet::kFromKey); rc == CTKRSet::kOk; rc = ku.Next()) {
            const CString strNr = Trim(ku.m_strKuNr);
            m_pLaborkunde->addItem(ToQString(strNr + " - " + Trim(ku.m_strName)), ToQString(strNr));
        }
    }
    m_pLaborkunde->setCurrentIndex(std::max(0, m_pLaborkunde->findData(strGewaehlt)));
}

void CStatHostWindow::OnAuswertungChanged() {
    const bool bLu = Auswertung() == StatAuswertung::Laborumsatz;
    m_pMandant->setEnabled(bLu);
    m_pListe->setEnabled(bLu);
    m_pEinstellungen->setEnabled(bLu);
    m_pLaborkunde->setEnabled(!bLu);
    RefreshHitInfo();
}

void CStatHostWindow::RefreshHitInfo() {
    m_hitInfo = ReadStatHitInfo(Auswertung(), DataDirName());
    const StatHitInfo& i = m_hitInfo;
    QStringList fehler;
    for (const CString& line : i.vecFehler)
        fehler << ToQString(line);
    m_pFehler->setPlainText(fehler.join(QLatin1Char('\n')));
    if (!i.bVorhanden) {
        m_pStand->setText(QStringLiteral("Noch keine Auswertung aufbereitet."));
        m_pAuswahl->clear();
    } else if (!i.strLesefehler.empty()) {
        m_pStand->setText(ToQString(i.strStand));
        m_pAuswahl->setText(ToQString(i.strLesefehler));
    } else {
        m_pStand->setText(ToQString(Format("%s, %zu Zeilen, %zu Fehler", i.strStand.c_str(),
                                           i.nZeilen, i.vecFehler.size())));
        m_pAuswahl->setText(ToQString(i.strAuswahl));
    }
    UpdateDefaultButton();
}

// Enter shows the last hit file when it holds what is chosen, else runs the pass.
void CStatHostWindow::UpdateDefaultButton() {
    if (!m_pAufbereiten || !m_pAnzeigen) return;
    const StatHostRequest req = Request();
    const StatHostRequest& file = m_hitInfo.auswahl;
    bool bPasst = m_hitInfo.bVorhanden && m_hitInfo.strLesefehler.empty() &&
                  file.strAb == req.strAb && file.strBis == req.strBis;
    if (req.eAuswertung == StatAuswertung::Laborumsatz)
        bPasst = bPasst && file.eMode == req.eMode && Trim(file.strMandant) == Trim(req.strMandant);
    else
        bPasst = bPasst && TrimLeft(file.strLaborkunde) == TrimLeft(req.strLaborkunde);
    m_pAnzeigen->setDefault(bPasst);
    m_pAufbereiten->setDefault(!bPasst);
}

bool CStatHostWindow::DatenbankBereit() {
    const std::string strOrt = m_pDatenbank->text().trimmed().toStdString();
    if (strOrt.empty()) {
        Melde("Bitte zuerst die Praxisdatenbank w\xE4hlen.");
        Halt("Praxisdatenbank", "Bitte zuerst die Praxisdatenbank w\xE4hlen: eine Datei oder "
                                "die Verbindung zum Datenbankserver.");
        return false;
    }
    return strOrt == m_strOffen || OpenDatabase();
}

bool CStatHostWindow::Aufbereiten() {
    if (!DatenbankBereit()) return false;
    const StatHostRequest req = Request();
    CString strErgebnis, strError;
    const bool bOk = RunStatPass(req, strErgebnis, strError);
    RefreshHitInfo();
    if (!bOk) {
        Melde(strError);
        HaltE(AuswertungTitel(req.eAuswertung), strError);
        return false;
    }
    Melde(strErgebnis);
    SaveChoices();
    return true;
}

bool CStatHostWindow::Anzeigen() {
    if (!DatenbankBereit()) return false;
    const StatAuswertung e = Auswertung();
    RefreshHitInfo();
    if (!m_hitInfo.bVorhanden) {
        const CString strText = "Noch keine Auswertung aufbereitet: Bitte zuerst mit "
                                "\"Aufbereiten\" die " +
                                AuswertungTitel(e) + " f\xFCr den gew\xE4hlten Zeitraum erstellen.";
        Melde(strText);
        Halt(AuswertungTitel(e), strText);
        return false;
    }
    CString strError;
    const bool bOk = e == StatAuswertung::Laborumsatz
                         ? ShowLuStatistik(&m_parent, m_fnLuShow, strError)
                         : ShowGlabStatistik(&m_parent, m_fnGlabShow, strError);
    RefreshHitInfo();
    if (!bOk) {
        Melde(strError);
        HaltE(AuswertungTitel(e), strError);
        return false;
    }
    // A pass run from the dialog may have made another list: the choice follows it.
    if (e == StatAuswertung::Laborumsatz && m_hitInfo.strLesefehler.empty())
        m_pListe->setCurrentIndex(LuModeListIdx(m_hitInfo.auswahl.eMode));
    SaveChoices();
    return true;
}

bool CStatHostWindow::Einstellungen() {
    if (!DatenbankBereit()) return false;
    CLUDefault settings;
    CdiaLUConfig dialog(&settings, &m_parent);
    if (m_fnConfigShow(dialog) != CdiaLUConfig::kEndGespeichert) return false;
    m_pListe->setCurrentIndex(settings.GetLstRechIdx());
    Melde("Die Einstellungen der Laborumsatzliste wurden gespeichert.");
    SaveChoices();
    const bool bLuVorhanden =
        ReadStatHitInfo(StatAuswertung::Laborumsatz, DataDirName()).bVorhanden;
    if (bLuVorhanden && Auswertung() == StatAuswertung::Laborumsatz &&
        SollIch(kVxStrLaborumsatz, "Die Einstellungen wurden ge\xE4ndert. Soll die "
                                   "Laborumsatzliste mit den neuen Einstellungen neu "
                                   "aufbereitet werden?") == kAntwortJa)
        Aufbereiten();
    return true;
}

void CStatHostWindow::SaveChoices() {
    StatHostChoices c = m_gemerkt;
    c.strDatenbank = m_pDatenbank->text().trimmed().toStdString();
    c.strDatenordner = m_pDatenordner->text().trimmed().toStdString();
    c.nAuswertung = m_pAuswertung->currentIndex();
    const int nZeitraum = m_pZeitraum->currentIndex();
    c.strZeitraum =
        nZeitraum >= 0 && nZeitraum < kEigenerZeitraum ? PresetName(kStatPresets[nZeitraum]) : "";
    const StatHostRequest req = Request();
    c.strAb = req.strAb;
    c.strBis = req.strBis;
    c.nListe = m_pListe->currentIndex();
    // Owner and customer are known only with an open database.
    if (!m_strOffen.empty()) {
        c.strMandant = m_pMandant->currentData().toString().toStdString();
        c.strLaborkunde = m_pLaborkunde->currentData().toString().toStdString();
    }
    SaveStatHostChoices(c);
    m_gemerkt = c;
}

void CStatHostWindow::done(int nResult) {
    SaveChoices();
    QDialog::done(nResult);
}

void CStatHostWindow::Melde(const CString& strText) {
    m_pMeldung->setText(ToQString(strText));
}

#include "host/gui/WPFDialog.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/gui/InputBlocker.h"
#include "host/gui/LayoutLoader.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFButtonBar.h"
#include "host/gui/WPFFrameworkElement.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The Qt window of a CWPFDialog: Esc and the close button ask the dialog.
class CDialogWindow : public QDialog {
public:
    CDialogWindow(QWidget* pParent, CWPFDialog& owner) : QDialog(pParent), m_owner(owner) {}
    void reject() override {
        if (m_owner.IsInputBlocked()) return;
        CWPFEventHandler::ExceptionFilter([this] { m_owner.OnClosing(); });
    }

private:
    CWPFDialog& m_owner;
};

// The state of an input element as text; empty for elements that take no input.
QString InputState(const QWidget* pWidget) {
    if (auto* p = qobject_cast<const QAbstractButton*>(pWidget))
        return p->isCheckable() ? QString::number(p->isChecked()) : QString();
    if (auto* p = qobject_cast<const QComboBox*>(pWidget))
        return QString::number(p->currentIndex()) + QLatin1Char('|') + p->currentText();
    if (auto* p = qobject_cast<const QLineEdit*>(pWidget)) return p->text();
    if (auto* p = qobject_cast<const QTextEdit*>(pWidget)) return p->toPlainText();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(pWidget)) return p->toPlainText();
    if (auto* p = qobject_cast<const QAbstractSpinBox*>(pWidget)) return p->text();
    if (auto* p = qobject_cast<const QAbstractSlider*>(pWidget)) return QString::number(p->value());
    return {};
}

std::vector<int> ParseButtonList(const QString& strList) {
    std::vector<int> vecButtons;
    for (const QString& strPart :
         strList.split(QRegularExpression(QStringLiteral("[ ,;]+")), Qt::SkipEmptyParts))
        vecButtons.push_back(strPart.toInt());
    return vecButtons;
}

} // namespace

CWPFDialog::CWPFDialog(const CString& strLayout, CWnd* pParent)
    : CWPFWndBase(strLayout), m_pParent(pParent) {}

CWPFDialog::~CWPFDialog() {
    delete m_pWindow.data();
}

bool CWPFDialog::Create() {
    if (m_pWindow) return HasLayout();
    m_pWindow = new CDialogWindow(m_pParent ? m_pParent->GetQWidget() : nullptr, *this);
    CString strError;
    QWidget* pRoot = LoadLayout(GetLayoutName(), m_pWindow, strError);
    if (!pRoot) {
        HaltE(Utf8ToCp1252("Dialogvorlage"), strError);
        return false;
    }
    SetLayoutLoaded(true);
    m_sizeLayout = pRoot->size();
    pRoot->setWindowFlags(Qt::Widget);
    if (m_strTitle.empty()) m_strTitle = FromQString(pRoot->windowTitle());
    m_pWindow->setWindowTitle(ToQString(m_strTitle));
    m_pRoot = pRoot;
    BuildNodeCache(pRoot);
    AddButtonBar(pRoot);
    auto* pAction = new QAction(m_pWindow);
    pAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    m_pWindow->addAction(pAction);
    QObject::connect(pAction, &QAction::triggered, m_pWindow, [this] {
        if (!IsInputBlocked()) ExceptionFilter([this] { OnCTRL_N(); });
    });
    ExceptionFilter([this] { OnInitDialog(); }); // its result serves the subclasses
    TakeSnapshot();
    FitWindowSize();
    return true;
}

void CWPFDialog::AddButtonBar(QWidget* pRoot) {
    auto* pLayout = new QVBoxLayout(m_pWindow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    auto* pFrame = new QVBoxLayout; // room around the layout, which brings none as a child
    pFrame->setContentsMargins(10, 10, 10, 8);
    if (pRoot->property("scrollable").toBool()) {
        auto* pScroll = new QScrollArea(m_pWindow);
        pScroll->setFrameShape(QFrame::NoFrame);
        pScroll->setWidgetResizable(true);
        pScroll->setWidget(pRoot);
        pFrame->addWidget(pScroll);
    } else {
        pFrame->addWidget(pRoot);
    }
    pLayout->addLayout(pFrame, 1);
    auto* pLine = new QFrame(m_pWindow);
    pLine->setFrameShape(QFrame::HLine);
    pLine->setFrameShadow(QFrame::Sunken);
    pLayout->addWidget(pLine);
    auto* pBar = new CWPFButtonBar(m_pWindow, [this](int nButton) { RunCommand(nButton); });
    pLayout->addWidget(pBar);
    SetButtonBar(pBar);
    const QVariant list = pRoot->property("hostButtons");
    const std::vector<int> vecButtons =
        list.isValid() ? ParseButtonList(list.toString()) : DefaultHostButtons();
    for (const int nButton : vecButtons) {
        const TKButtonInfo* pInfo = FindTKButton(nButton);
        if (!pInfo) continue;
        const auto it = m_mapCaptions.find(nButton);
        const QString strCaption =
            it != m_mapCaptions.end() ? ToQString(it->second) : QString::fromUtf8(pInfo->szCaption);
        pBar->AddButton(nButton, strCaption, GetIsEnabled(nButton));
    }
}

void CWPFDialog::FitWindowSize() {
    QScreen* pScreen = m_pWindow->screen() ? m_pWindow->screen() : QGuiApplication::primaryScreen();
    FitToScreen(pScreen ? pScreen->availableGeometry().size()
                        : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void CWPFDialog::FitToScreen(QSize sizeAvailable) {
    if (!m_pWindow) return;
    QSize sizeLayout = m_sizeLayout;
    if (GetButtonBar()) sizeLayout.rheight() += GetButtonBar()->sizeHint().height();
    QSize size = m_pWindow->sizeHint().expandedTo(sizeLayout);
    // Wide lists get nearly the whole width of a small screen.
    size = size.boundedTo(QSize(sizeAvailable.width() * 97 / 100, sizeAvailable.height() * 9 / 10));
    m_pWindow->resize(size.expandedTo(m_pWindow->minimumSizeHint()));
}

void CWPFDialog::TakeSnapshot() {
    m_vecSnapshot.clear();
    if (!m_pRoot) return;
    for (QWidget* pWidget : m_pRoot->findChildren<QWidget*>()) {
        const QString strState = InputState(pWidget);
        if (!strState.isNull()) m_vecSnapshot.emplace_back(pWidget, strState);
    }
}

int CWPFDialog::DoModal() {
    if (!Create()) return kEndFailed;
    if (m_bEnded) { // ended while initialising
        m_bEnded = false;
        return m_nEndCode;
    }
    m_pWindow->exec();
    m_bEnded = false;
    return m_nEndCode;
}

void CWPFDialog::EndDialog(int nCode) {
    m_nEndCode = nCode;
    m_bEnded = true;
    if (m_pWindow) m_pWindow->done(nCode);
}

void CWPFDialog::SetTitle(const CString& strTitle) {
    m_strTitle = strTitle;
    if (m_pWindow) m_pWindow->setWindowTitle(ToQString(strTitle));
}

CString CWPFDialog::GetTitle() const {
    return m_strTitle;
}

void CWPFDialog::SetButtonCaption(int nButton, const CString& strCaption) {
    m_mapCaptions[nButton] = strCaption;
    if (GetButtonBar()) GetButtonBar()->SetCaption(nButton, ToQString(strCaption));
}

bool CWPFDialog::NoChanges(QWidget* pElement) const {
    for (const auto& [pWidget, strState] : m_vecSnapshot) {
        if (!pWidget) continue;
        if (pElement && pWidget != pElement && !pElement->isAncestorOf(pWidget)) continue;
        if (InputState(pWidget) != strState) return false;
    }
    return true;
}

bool CWPFDialog::NoChanges(const CWPFFrameworkElement& element) const {
    return !element.GetWidget() || NoChanges(element.GetWidget());
}

QWidget* CWPFDialog::GetQWidget() const {
    return m_pWindow;
}

QWidget* CWPFDialog::OnInitDialog() {
    return m_pRoot;
}

void CWPFDialog::RunCommand(int nButton) {
    const TKButtonInfo* pInfo = FindTKButton(nButton);
    if (!pInfo || !GetIsEnabled(nButton) || IsInputBlocked()) return;
    ExceptionFilter([this, pInfo] {
        switch (pInfo->eCommand) {
        case TKCommand::Bearbeiten:
            OnBearbeiten();
            break;
        case TKCommand::Config:
            OnConfig();
            break;
        case TKCommand::Print:
            OnPrint();
            break;
        case TKCommand::UnSelect:
            OnUnSelect();
            break;
        case TKCommand::CtrlA:
            OnCTRL_A();
            break;
        case TKCommand::CtrlR:
            OnCTRL_R();
            break;
        case TKCommand::CtrlT:
            OnCTRL_T();
            break;
        case TKCommand::CtrlY:
            OnCTRL_Y();
            break;
        case TKCommand::SaveAndExit:
            OnSaveAndExit();
            break;
        case TKCommand::Exit:
            OnExit();
            break;
        }
    });
}

void CWPFDialog::BlockInput(bool bBlock) {
    if (!bBlock)
        m_pInputBlocker.reset();
    else if (!m_pInputBlocker && m_pWindow)
        m_pInputBlocker = std::make_unique<CInputBlocker>(m_pWindow);
}

std::vector<int> CWPFDialog::DefaultHostButtons() const {
    return {TKSchliessen};
}

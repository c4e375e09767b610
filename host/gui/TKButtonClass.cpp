#include "host/gui/TKButtonClass.h"

#include <iterator>

namespace {

// Esc is not a shortcut of the close button: the dialog window maps it to OnClosing.
const TKButtonInfo kButtons[] = {
    {TKBearbeiten, TKCommand::Bearbeiten, "Bearbeiten", "F2", false},
    {TKEinstellungen, TKCommand::Config, "Einstellungen", "Ctrl+E", false},
    {TKDrucken, TKCommand::Print, "Drucken", "Ctrl+P", false},
    {TKAlleMarkieren, TKCommand::UnSelect, "Alle an/aus", "Ctrl+M", false},
    {TKZeilenAnzahl, TKCommand::CtrlT, "Zeilenanzahl", "Ctrl+T", false},
    {TKExport, TKCommand::CtrlA, "Excel-Export", "Ctrl+A", false},
    {TKPlanOeffnen, TKCommand::CtrlR, "Plan öffnen", "Ctrl+R", false},
    {TKGrafik, TKCommand::CtrlY, "Grafik", "Ctrl+Y", false},
    {TKSpeichern, TKCommand::SaveAndExit, "Speichern", "Ctrl+S", true},
    {TKSchliessen, TKCommand::Exit, "Schließen", "", true},
};

} // namespace

const TKButtonInfo* FindTKButton(int nNummer) {
    for (const TKButtonInfo& info : kButtons)
        if (info.nNummer == nNummer) return &info;
    return nullptr;
}

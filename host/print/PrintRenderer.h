#pragma once
// Lays a print-variable file out as pages: on every page the three heading lines
// with the print date, the column heading at the tab stops, the lines, and the
// page number at the foot. Lines of tab-separated fields are placed at the tab
// stops (left or right aligned), other lines as they are in a fixed-width font
// sized so that the widest fits; a line of '-' only is a rule across the page.
#include "host/print/PrintVarFile.h"

class QPagedPaintDevice;

// A4 landscape with margins of 10 mm.
void SetupPrintPage(QPagedPaintDevice& device);
// Returns the number of pages; 0 when the device could not be painted on.
int RenderPrintDoc(const PrintDoc& doc, QPagedPaintDevice& device, const CString& strDruckdatum);

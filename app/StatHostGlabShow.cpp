#include "app/StatHostGlabShow.h"

#include "app/GlabDialogCommands.h"
#include "glab/GlabSum.h"
#include "glab/diaAwGlab.h"
#include "host/stat/StatAccu.h"

// The commercial-lab evaluation dialog on the hit file the window has read.
GlabShowFn DefaultGlabShow() {
    return [](const GlabShowRequest& req) {
        CdiaAwGlab dialog(req.sum, &req.accu, GlabDialogKunde(req.accu), req.pParent);
        return dialog.DoModal();
    };
}

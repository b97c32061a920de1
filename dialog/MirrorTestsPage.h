// The pictures window's page "Mirror tests": the primary's Couder mask and Ronchigrams,
// and the Hindle test of the secondary, with the figures of the primary's test that the
// page's zone table starts from.
#ifndef SPEKULOR_DIALOG_MIRRORTESTSPAGE_H
#define SPEKULOR_DIALOG_MIRRORTESTSPAGE_H

#include "calc/Calculate.h"
#include "dialog/PictureSet.h"
#include "mirrortests/MirrorTestPage.h"

namespace spekulor::dialog {

// The primary's test with the default options (the zones of DefaultZoneCount, the
// moving source, the default Ronchigrams), as `spekulor-cli primary-test` computes it.
mirrortests::MirrorTestPage DefaultMirrorTests(const calc::Calculation& calculation);

// The page: the mask and the Ronchigrams, or why the primary cannot be tested; the
// Hindle test, or why the secondary has none (HindleProblemText), after the primary's
// reason if there is one. `page.mirrorTests` holds the primary's figures. Pure: safe
// on any thread.
PicturePage DrawMirrorTestsPage(const calc::Calculation& calculation, const char* title);

}  // namespace spekulor::dialog

#endif

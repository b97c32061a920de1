// How long the window's tests wait for a page computed off the window's thread: long
// enough for a loaded machine, and never reached when the page comes.
#ifndef SPEKULOR_TESTS_APP_PAGEWAIT_H
#define SPEKULOR_TESTS_APP_PAGEWAIT_H

constexpr int kPageWaitMs = 60000;

#endif

#pragma once

#include "platform/BrowserEngine.h"

#include <QApplication>
#include <QTest>

// QTEST_MAIN for tests that show the browser engine, which must be prepared before the
// application object is made.
#define QUILLORN_BROWSER_TEST_MAIN(TestClass)                                                      \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        Quillorn::BrowserEngine::prepare();                                                        \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#include "testregistry.h"

#include <QTest>
#include <QtGlobal>

#include <vector>

#ifdef NAMLEX_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace {
std::vector<namlex::test::TestFactory> &factories()
{
    static std::vector<namlex::test::TestFactory> list;
    return list;
}
} // namespace

int namlex::test::registerTest(TestFactory factory)
{
    factories().push_back(std::move(factory));
    return static_cast<int>(factories().size());
}

int main(int argc, char **argv)
{
#ifdef NAMLEX_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    int failures = 0;
    for (const auto &make : factories()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}

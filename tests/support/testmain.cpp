#include "testregistry.h"

#include <QByteArrayList>
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

// QTest's options that take the next argument as their value.
bool takesValue(const QByteArray &option)
{
    static const QByteArrayList options {
        "-o",      "-maxwarnings",  "-eventdelay",   "-keydelay",    "-mousedelay", "-iterations",
        "-median", "-minimumvalue", "-minimumtotal", "-perfcounter", "-repeat"};
    return options.contains(option);
}

// Whether the test class has the test function that "name" or "name:tag" asks for.
bool hasFunction(const QObject &test, const QByteArray &function)
{
    const qsizetype colon = function.indexOf(':');
    const QByteArray name = colon < 0 ? function : function.left(colon);
    return test.metaObject()->indexOfMethod(name + "()") >= 0;
}

} // namespace

int namlex::test::registerTest(TestFactory factory)
{
    factories().push_back(std::move(factory));
    return static_cast<int>(factories().size());
}

// One executable serves all test classes of a layer. Test functions named on
// the command line are handed only to the class that has them, so that any
// one of them can be run alone.
int main(int argc, char **argv)
{
#ifdef NAMLEX_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TestApplication app(argc, argv);
    QByteArrayList options {argv[0]};
    QByteArrayList functions;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = argv[i];
        if (!argument.startsWith('-')) {
            functions.append(argument);
            continue;
        }
        options.append(argument);
        if (takesValue(argument) && i + 1 < argc)
            options.append(argv[++i]);
    }

    int failures = 0;
    QByteArrayList found;
    for (const auto &make : factories()) {
        const std::unique_ptr<QObject> test = make();
        QByteArrayList arguments = options;
        for (const QByteArray &function : functions) {
            if (hasFunction(*test, function)) {
                arguments.append(function);
                found.append(function);
            }
        }
        if (!functions.isEmpty() && arguments.size() == options.size())
            continue;
        std::vector<char *> pointers;
        for (QByteArray &argument : arguments)
            pointers.push_back(argument.data());
        failures += QTest::qExec(test.get(), int(pointers.size()), pointers.data());
    }
    for (const QByteArray &function : functions) {
        if (!found.contains(function)) {
            qWarning("Function not found: %s", function.constData());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

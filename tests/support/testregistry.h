#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace namlex::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Each test class registers itself, so that one executable per layer runs
// all of that layer's test classes.
int registerTest(TestFactory factory);

} // namespace namlex::test

#define NAMLEX_REGISTER_TEST(Class) \
    namespace { \
    const int registered##Class \
        = namlex::test::registerTest([] { return std::make_unique<Class>(); }); \
    }

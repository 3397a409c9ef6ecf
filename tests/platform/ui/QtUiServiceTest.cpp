#include "platform/ui/QtUiService.h"

#include <gtest/gtest.h>

TEST(QtUiServiceTest, TranslatesBarSeparatedFiltersIntoQtNameFilters) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        // "*.*" is every file, also those without a dot in their name.
        {"All Files (*.*)|*.*||", {"All Files (*.*) (*)"}},
        {"Modules|*.mod;*.xm|All Files (*.*)|*.*||",
         {"Modules (*.mod *.xm)", "All Files (*.*) (*)"}},
        {"", {}},
        {"Dangling description", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
    }
}

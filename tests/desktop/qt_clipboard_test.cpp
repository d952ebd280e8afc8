#include <gtest/gtest.h>

#include "qt_desktop_services.h"

using kelvorad::QtClipboard;

// The system clipboard keeps the table's TAB and CR text exactly as given.
TEST(QtClipboard, PlainTextRoundTrip) {
    QtClipboard clipboard;
    ASSERT_TRUE(clipboard.setText("a\tb\rc\t\xC3\xB6"));
    EXPECT_EQ(clipboard.text(), std::optional<std::string>("a\tb\rc\t\xC3\xB6"));
    ASSERT_TRUE(clipboard.setText(""));
    EXPECT_EQ(clipboard.text(), std::optional<std::string>(""));
}

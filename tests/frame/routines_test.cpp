#include "frame/routines.h"

#include <gtest/gtest.h>

#include "frame/memory_store.h"

namespace kolo {
namespace {

TEST(StrToIntRangeTest, DefaultsAndBounds) {
  EXPECT_EQ(StrToIntRange("", 8, 1, 10), 8);
  EXPECT_EQ(StrToIntRange("0", 8, 1, 10), 1);
  EXPECT_EQ(StrToIntRange("99", 8, 1, 10), 10);
  EXPECT_EQ(StrToIntRange("abc", 10, 10, 999), 10);
  EXPECT_EQ(StrToIntRange("5", 8, 1, 10), 5);
  EXPECT_EQ(StrToIntRange("12x", 8, 1, 10), 8);
  EXPECT_EQ(StrToIntRange("-", 8, 1, 10), 8);
  EXPECT_EQ(StrToIntRange(" 7 ", 8, 1, 10), 7);
  EXPECT_EQ(StrToIntRange("-3", 8, 1, 10), 1);
  EXPECT_EQ(StrToIntRange("+4", 8, 1, 10), 4);
}

TEST(StrToIntRangeTest, MinusOneLeavesThatSideOpen) {
  EXPECT_EQ(StrToIntRange("-500", 0, -1, 10), -500);
  EXPECT_EQ(StrToIntRange("123456", 0, 0, -1), 123456);
  EXPECT_EQ(StrToIntRange("-7", 0, 0, -1), 0);
  EXPECT_EQ(StrToIntRange("777", 0, -1, -1), 777);
  // Too many digits for an int: still "above the bound", not unreadable.
  EXPECT_EQ(StrToIntRange("99999999999999999999999", 0, 0, 5000), 5000);
  EXPECT_EQ(StrToIntRange("99999999999", 0, -1, -1), 2147483647);
  EXPECT_EQ(StrToIntRange("-99999999999", 0, -1, -1), -2147483647 - 1);
}

TEST(RoutinesTest, ColorToHexIsRedGreenBlue) {
  EXPECT_EQ(ColorToHex(0x0000FF), "FF0000");
  EXPECT_EQ(ColorToHex(0xC08000), "0080C0");
  EXPECT_EQ(ColorToHex(0x10ABCDEF), "EFCDAB");  // marker bits are not part of the text
}

TEST(RoutinesTest, PointInRectExcludesTheEdges) {
  struct R {
    int left, top, right, bottom;
  } r{10, 20, 30, 40};
  EXPECT_TRUE(PointInRect(11, 21, r));
  EXPECT_TRUE(PointInRect(29, 39, r));
  EXPECT_FALSE(PointInRect(10, 25, r));
  EXPECT_FALSE(PointInRect(30, 25, r));
  EXPECT_FALSE(PointInRect(15, 20, r));
  EXPECT_FALSE(PointInRect(15, 40, r));
  EXPECT_EQ(IfThen(true, 1, 2), 1);
  EXPECT_EQ(IfThen(false, std::string("a"), std::string("b")), "b");
}

TEST(RoutinesTest, ReadsWithDefaults) {
  MemoryStore s;
  s.WriteInteger("n", 42);
  s.WriteString("t", "text");
  s.WriteString("e", "");
  s.WriteBinary("bin", {1, 0, 0, 0});
  EXPECT_EQ(ReadIntegerDef(s, "n", 5), 42);
  EXPECT_EQ(ReadIntegerDef(s, "t", 5), 5);
  EXPECT_EQ(ReadIntegerDef(s, "bin", 5), 5);
  EXPECT_EQ(ReadIntegerDef(s, "missing", 5), 5);
  EXPECT_TRUE(ReadBoolDef(s, "n", false));
  EXPECT_TRUE(ReadBoolDef(s, "t", true));
  EXPECT_FALSE(ReadBoolDef(s, "t", false));
  EXPECT_EQ(ReadStringDef(s, "t", "d"), "text");
  EXPECT_EQ(ReadStringDef(s, "e", "d"), "d");
  EXPECT_EQ(ReadStringDef(s, "n", "d"), "d");
}

TEST(BrowserCommandTest, AddressReplacesTheFirstPlaceholderOrIsAppended) {
  EXPECT_EQ(BuildBrowserCommandLine("\"C:\\b\\browser.exe\" -url \"%1\"", "http://x/"),
            "\"C:\\b\\browser.exe\" -url \"http://x/\"");
  EXPECT_EQ(BuildBrowserCommandLine("browser.exe", "http://x/"), "browser.exe http://x/");
  EXPECT_EQ(BuildBrowserCommandLine("b.exe %1 %1", "u"), "b.exe u %1");
}

TEST(BrowserCommandTest, OnlyWebAndFileAddressesPass) {
  EXPECT_EQ(BrowserSafeUrl("http://www.example.com/kolo/?cl=en&m=manual&s=options"),
            "http://www.example.com/kolo/?cl=en&m=manual&s=options");
  EXPECT_EQ(BrowserSafeUrl("HTTPS://example.com/a%20b"), "HTTPS://example.com/a%20b");
  EXPECT_EQ(BrowserSafeUrl("file:///C:/x.html"), "file:///C:/x.html");
  EXPECT_EQ(BrowserSafeUrl("javascript:alert(1)"), std::nullopt);
  EXPECT_EQ(BrowserSafeUrl("calc.exe"), std::nullopt);
  EXPECT_EQ(BrowserSafeUrl("-new-window http://x"), std::nullopt);
  EXPECT_EQ(BrowserSafeUrl(""), std::nullopt);
  EXPECT_EQ(BrowserSafeUrl("http://"), std::nullopt);
  EXPECT_EQ(BrowserSafeUrl("\\\\?\\C:\\x.htm"), "file:///C:/x.htm");
  EXPECT_EQ(BrowserSafeUrl("\\\\?\\UNC\\srv\\s\\x.htm"), "file://srv/s/x.htm");
  EXPECT_EQ(BrowserSafeUrl("\\\\?\\GLOBALROOT\\x"), std::nullopt);
}

TEST(BrowserCommandTest, AddressCannotBreakOutOfItsArgument) {
  // A hostile answer from the upload service.
  auto url = BrowserSafeUrl("http://x/\" --user-data-dir=C:\\evil \"c:\\windows\\system32\\calc.exe");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->find_first_of(" \t\"\\"), std::string::npos) << *url;
  EXPECT_EQ(*url, "http://x/%22%20--user-data-dir=C:%5Cevil%20%22c:%5Cwindows%5Csystem32%5Ccalc.exe");
  EXPECT_EQ(*BrowserSafeUrl("http://x/a\tb\nc\x7f"), "http://x/a%09b%0Ac%7F");
  // A trailing backslash would otherwise escape the closing quote of "%1".
  EXPECT_EQ(*BrowserSafeUrl("http://x/a\\"), "http://x/a%5C");
}

TEST(BrowserCommandTest, LocalPathsBecomeFileAddresses) {
  EXPECT_EQ(BrowserSafeUrl("C:\\Users\\Jo Smith\\pal #1.html"),
            "file:///C:/Users/Jo%20Smith/pal%20%231.html");
  // UTF-8 bytes of "Žofia" stay intact, percent-encoded.
  EXPECT_EQ(BrowserSafeUrl("D:\\\xC5\xBD" "ofia\\100%.html"), "file:///D:/%C5%BDofia/100%25.html");
  EXPECT_EQ(BrowserSafeUrl("\\\\server\\share\\p.html"), "file://server/share/p.html");
}

}  // namespace
}  // namespace kolo

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

using Args = std::vector<std::wstring>;

TEST(CommandLineTest, SplitsAsWindowsProgramsDo) {
  EXPECT_EQ(SplitCommandLine(L"Kolo.exe"), Args{});
  EXPECT_EQ(SplitCommandLine(L"\"C:\\Program Files\\Kolo\\Kolo.exe\" /m"), Args{L"/m"});
  EXPECT_EQ(SplitCommandLine(L"Kolo.exe   /m  \t/M "), (Args{L"/m", L"/M"}));
  EXPECT_EQ(SplitCommandLine(L"Kolo.exe \"a b\" c\"d e\"f"), (Args{L"a b", L"cd ef"}));
  // Backslashes count only before a quote.
  EXPECT_EQ(SplitCommandLine(L"k C:\\dir\\ \\\\\"x y\" \\\"q"), (Args{L"C:\\dir\\", L"\\x y", L"\"q"}));
  EXPECT_EQ(SplitCommandLine(L"k \"say \"\"hi\"\"\""), Args{L"say \"hi\""});
  EXPECT_EQ(SplitCommandLine(L"\"unterminated name"), Args{});
  EXPECT_EQ(SplitCommandLine(L"k \"open"), Args{L"open"});
}

}  // namespace
}  // namespace kolo

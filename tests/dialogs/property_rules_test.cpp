#include "dialogs/property_rules.h"

#include <gtest/gtest.h>

namespace kolo {
namespace {

TEST(PropertyRulesTest, QualityNamesAndTheNumbersTheListChooses) {
  const std::pair<int, std::string_view> names[] = {{1, "Low"},   {4, "Low"},   {5, "Average"},  {7, "Average"},
                                                    {8, "High"},  {9, "High"},  {10, "Maximum"}};
  for (auto [q, name] : names) EXPECT_EQ(JpgQualityName(q), name) << q;
  // Each name's number shows that name again.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(JpgQualityName(JpgQualityForChoice(i)), kJpgQualityNames[i]);
  EXPECT_EQ(JpgQualityForChoice(0), 3);
  EXPECT_EQ(JpgQualityForChoice(3), 10);
}

TEST(PropertyRulesTest, UploadAddressesMustBeWebAddressesWithAHost) {
  for (const char* good : {"http://a.example/x.php", "HTTPS://a.example", "https://10.0.0.1:8080/up"})
    EXPECT_TRUE(IsUploadAddress(good)) << good;
  for (const char* bad : {"", "http://", "https:///path", "ftp://a.example", "a.example/up.php",
                          "http://a.example/x y", "http://a.example/\r\nHost: b", "javascript:alert(1)"})
    EXPECT_FALSE(IsUploadAddress(bad)) << bad;
  PropertyValues v = ValuesFromOptions(TKolOptions{}, false);
  EXPECT_FALSE(CheckValues(v).has_value());  // the default address passes
  v.uploadURL = "upload";
  EXPECT_TRUE(CheckValues(v).has_value());
}

TEST(PropertyRulesTest, FillingAndApplyingRoundTripsTheSettings) {
  TKolOptions o;
  o.maxClipImages = -250;
  o.saveGIFPalette = 9;  // out of the list: shown and stored as its last entry
  const PropertyValues v = ValuesFromOptions(o, true);
  EXPECT_EQ(v.clipCount, "250");
  EXPECT_TRUE(v.clipWithoutLimit);
  EXPECT_TRUE(v.runOnStartup);
  TKolOptions back = o;
  ApplyValues(v, back);
  o.saveGIFPalette = 5;
  EXPECT_EQ(back, o);
}

}  // namespace
}  // namespace kolo

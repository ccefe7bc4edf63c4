#include "apps/host/page/page_reader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using Params = std::vector<std::pair<std::string, std::string>>;

constexpr CLSID kClass{0xE51706C2, 0x4EF4, 0x4F68, {0xA7, 0x1F, 0xFA, 0xDF, 0x92, 0xE5, 0xE3, 0x9D}};

TEST(PageReaderTest, FindsTheObjectWithItsClassSizeAndParams)
{
    const auto objects = ReadPageObjects(R"(<html><body>
        <object id="player" classid="clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D" width="640" height=480>
          <param name="Url" value="shows/demo.zyl">
          <param name=BitsPerSecond value=64000 />
        </object></body></html>)");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].classId, kClass);
    EXPECT_EQ(objects[0].width, 640);
    EXPECT_EQ(objects[0].height, 480);
    EXPECT_EQ(objects[0].params, (Params{{"Url", "shows/demo.zyl"}, {"BitsPerSecond", "64000"}}));
}

TEST(PageReaderTest, ReadsWhatPagesWriteInManyWays)
{
    struct Case
    {
        const char* html;
        Params params;
    };
    const Case cases[] = {
        // Any letter case, either quote, braces around the class.
        {"<OBJECT CLASSID='CLSID:{e51706c2-4ef4-4f68-a71f-fadf92e5e39d}'><PARAM NAME='src' VALUE='a b.zyl'></OBJECT>",
         {{"src", "a b.zyl"}}},
        // Character references in values; unknown ones stay as they are.
        {"<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\"><param name=\"Url\" "
         "value=\"a&amp;b&#65;&#x42;&lt;&unknown;&#0;\"></object>",
         {{"Url", "a&bAB<&unknown;\xEF\xBF\xBD"}}},
        // The first PARAM of a name wins, whatever its case.
        {"<object classid=clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D><param name=Url value=1><param name=URL value=2>"
         "<param value=3><param name=Stop></object>",
         {{"Url", "1"}, {"Stop", ""}}},
        // Comments, scripts and PARAMs outside any object are passed over.
        {"<param name=Before value=x><!-- <object> <param name=Hidden value=y> --><script>var s = '<param "
         "name=Script>';</script><object classid=clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D><param name=Inside "
         "value=z></object><param name=After value=w>",
         {{"Inside", "z"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        const auto objects = ReadPageObjects(c.html);
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0].classId, kClass);
        EXPECT_EQ(objects[0].params, c.params);
    }
}

TEST(PageReaderTest, ParamsBelongToTheInnermostObject)
{
    const auto objects = ReadPageObjects(
        "<object type=\"application/x-velquon-zyl\" width=50% height=200px><param name=Outer value=1>"
        "<object classid=clsid:not-a-guid><param name=Inner value=2></object><param name=Late value=3></object>");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].type, "application/x-velquon-zyl");
    EXPECT_FALSE(objects[0].classId);
    EXPECT_EQ(objects[0].width, 0);
    EXPECT_EQ(objects[0].height, 200);
    EXPECT_EQ(objects[0].params, (Params{{"Outer", "1"}, {"Late", "3"}}));
    EXPECT_FALSE(objects[1].classId);
    EXPECT_EQ(objects[1].params, (Params{{"Inner", "2"}}));
}

TEST(PageReaderTest, BrokenPagesGiveWhatWasReadable)
{
    for (const char* html : {"", "<", "<object", "<object classid=\"clsid:E51706C2", "<object><param name=\"Url",
                             "<!-- never closed <object>", "<object width=99999999999999>", "</object></object>",
                             "<script><object>"}) {
        SCOPED_TRACE(html);
        const auto objects = ReadPageObjects(html);
        EXPECT_LE(objects.size(), 1u);
        for (const PageObject& object : objects) {
            EXPECT_FALSE(object.classId);
            EXPECT_LE(object.width, 1 << 16);
        }
    }
}

TEST(PageReaderTest, FilesThatCannotBeReadAreErrors)
{
    CError missing;
    EXPECT_TRUE(ReadPageFile("/nonexistent/page.html", missing).empty());
    EXPECT_TRUE(missing.Failed());

    const std::filesystem::path large = std::filesystem::temp_directory_path() / "page_reader_large.html";
    {
        std::ofstream file(large, std::ios::binary);
        file << "<object classid=clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D>";
        file << std::string(kMaxPageBytes, ' ');
    }
    CError tooLarge;
    EXPECT_TRUE(ReadPageFile(large.string(), tooLarge).empty());
    EXPECT_TRUE(tooLarge.Failed());
    std::filesystem::remove(large);
}

} // namespace

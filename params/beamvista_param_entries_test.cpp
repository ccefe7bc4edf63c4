#include "params/internal/beamvista_param_entries.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Expected
{
    int32_t kind;
    std::string text;
};

void AppendBackground(std::vector<Expected>& entries, const char* caption, int n)
{
    const char* members[] = {"",        ".load",   ".filename", ".intensity",
                             ".size.x", ".size.y", ".pos.x",    ".pos.y"};
    const int32_t kinds[] = {4, 3, 6, 5, 5, 5, 5, 5};
    entries.push_back({2, caption});
    for (int i = 0; i < 8; ++i)
        entries.push_back({kinds[i], "Beamvista.bg" + std::to_string(n) + members[i]});
}

std::vector<Expected> ExpectedEntries()
{
    std::vector<Expected> entries = {
        {1, "Main"},
        {4, "Beamvista.graphics.force"},
        {5, "Beamvista.graphics.intensity"},
        {5, "Beamvista.graphics.size.x"},
        {5, "Beamvista.graphics.size.y"},
        {5, "Beamvista.graphics.pos.x"},
        {5, "Beamvista.graphics.pos.y"},
        {4, "Beamvista.fog.force"},
        {5, "Beamvista.fog.intensity"},
        {5, "Beamvista.fog.min.int"},
        {5, "Beamvista.scanner.pos.x"},
        {5, "Beamvista.scanner.pos.y"},
        {4, "Beamvista.beam.detect.force"},
        {5, "Beamvista.beam.detect.intensity"},
        {4, "Beamvista.beam.detect.repeat"},
        {4, "Beamvista.beam.tab.force"},
        {5, "Beamvista.beam.tab.intensity"},
        {5, "Beamvista.line.width"},
        {1, "Fog"},
        {5, "Beamvista.fog.structure"},
        {5, "Beamvista.fog.cloud.mix"},
        {5, "Beamvista.fog.speed"},
        {5, "Beamvista.fog.dir"},
        {5, "Beamvista.fog.dir2"},
        {5, "Beamvista.fog.rot"},
        {2, "OpenGl Setup"},
        {3, "Beamvista.force.generic.opengl"},
        {3, "Beamvista.enhanced.lines"},
        {3, "Beamvista.beam.profile"},
        {3, "Beamvista.polygon.smooth"},
        {3, "Beamvista.fog.3d"},
        {3, "Beamvista.enhanced.lines.beam"},
        {3, "Beamvista.opengl.reset"},
        {3, "Beamvista.opengl.default"},
        {3, "Beamvista.opengl.save.as.default"},
        {3, "Beamvista.no.blending"},
        {2, "Test"},
        {3, "Beamvista.draw.circle"},
        {3, "Beamvista.draw.plane"},
        {2, "Scanner Simulate Parameters"},
        {3, "Beamvista.simulate"},
        {3, "Beamvista.sim.pos"},
        {3, "Beamvista.sim.intensity"},
        {5, "Beamvista.sim.freqf"},
        {5, "Beamvista.sim.color.delayf"},
    };
    const char* captions[] = {"Background 1", "Background 2", "Background 3", "Background 4"};
    for (int n = 0; n < 4; ++n)
        AppendBackground(entries, captions[n], n);
    entries.push_back({0, ""});
    return entries;
}

void ExpectEntries(const HArray<ValueHandlerDialogEntry>& list)
{
    const std::vector<Expected> expected = ExpectedEntries();
    ASSERT_EQ(expected.size(), 82u);
    ASSERT_EQ(list.GetSize(), 82);
    for (int32_t i = 0; i < list.GetSize(); ++i) {
        EXPECT_EQ(list[i].kind, expected[i].kind) << i;
        EXPECT_EQ(std::string(list[i].text.View()), expected[i].text) << i;
    }
}

TEST(BuildBeamvistaParamEntries, TheDialogsEntriesInOrder)
{
    HArray<ValueHandlerDialogEntry> list;
    ASSERT_TRUE(BuildBeamvistaParamEntries(list));
    ExpectEntries(list);
    EXPECT_EQ(list.GetCapacity(), 82); // fitted to the size
}

TEST(BuildBeamvistaParamEntries, BuildingTwiceReplacesTheContent)
{
    HArray<ValueHandlerDialogEntry> list;
    list.Append(ValueHandlerDialogEntry(1, "stale"));
    ASSERT_TRUE(BuildBeamvistaParamEntries(list));
    ASSERT_TRUE(BuildBeamvistaParamEntries(list));
    ExpectEntries(list);
}

TEST(ValueHandlerDialogEntry, CopiesShareTheText)
{
    const ValueHandlerDialogEntry entry(4, "Beamvista.bg0");
    ValueHandlerDialogEntry copy;
    copy = entry;
    EXPECT_EQ(copy.kind, 4);
    EXPECT_EQ(copy.text.Block(), entry.text.Block());
}

} // namespace

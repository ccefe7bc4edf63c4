#include "preview/key_table.h"

#include "platform/ui_input.h"
#include "platform/virtual_keys.h"

#include <array>

namespace {

using enum KeyCondition;
using enum KeyOperation;

constexpr uint32_t kCtrlAlt = kUiCtrl | kUiAlt;
constexpr uint32_t kAll = kUiCtrl | kUiShift | kUiAlt;

constexpr uint32_t kBeginning = 1;
constexpr uint32_t kEnd = 2;
constexpr uint32_t kForward = 4;
constexpr uint32_t kBackward = 8;
constexpr uint32_t kFast = 0x20;
constexpr uint32_t kOneFrame = 0x40;

constexpr float kPresetStep = 0.1f;
constexpr float kLineWidthStep = 0.5f;

constexpr KeyRow Row(int32_t key, uint32_t held, KeyCondition condition, KeyOperation operation,
                     int32_t number = 0, int32_t number2 = 0)
{
    return {key, held, 0, condition, operation, number, number2, 0};
}

constexpr KeyRow Step(int32_t key, uint32_t held, KeyOperation operation, float step)
{
    return {key, held, 0, Always, operation, 0, 0, step};
}

constexpr std::array kKeyTable{
    KeyRow{vk::kReturn, 0, kUiAlt, Always, TogglePlayPause},
    Row(vk::kReturn, kUiAlt, FullScreen, ToggleFullScreen),
    Row(vk::kSpace, 0, Always, TogglePlayPause),
    Row(vk::kEscape, 0, FullScreen, ToggleFullScreen),
    Row(vk::kPageUp, kUiCtrl, TwoShows, OpenFirst),
    Row(vk::kPageUp, 0, TwoShows, OpenPrevious),
    Row(vk::kUp, kUiCtrl, TwoShows, OpenFirst),
    Row(vk::kUp, 0, TwoShows, OpenPrevious),
    Row(vk::kPageDown, kUiCtrl, TwoShows, OpenLast),
    Row(vk::kPageDown, 0, TwoShows, OpenNext),
    Row(vk::kDown, kUiCtrl, TwoShows, OpenLast),
    Row(vk::kDown, 0, TwoShows, OpenNext),
    Row(vk::kHome, kUiCtrl, AnyShow, OpenFirst),
    Row(vk::kHome, 0, AnyShow, Navigate, kBeginning),
    Row(vk::kEnd, kUiCtrl, AnyShow, OpenLast),
    Row(vk::kEnd, 0, AnyShow, Navigate, kEnd),
    Row(vk::kLeft, kCtrlAlt, Always, Navigate, kBackward | kOneFrame),
    Row(vk::kLeft, kUiCtrl, Always, Navigate, kBackward | kFast),
    Row(vk::kLeft, 0, Always, Navigate, kBackward),
    Row(vk::kRight, kCtrlAlt, Always, Navigate, kForward | kOneFrame),
    Row(vk::kRight, kUiCtrl, Always, Navigate, kForward | kFast),
    Row(vk::kRight, 0, Always, Navigate, kForward),
    Row(vk::kInsert, kUiCtrl, Always, OpenFileDialog, 1),
    Row(vk::kInsert, 0, Always, OpenFileDialog, 0),
    Row(vk::kDelete, kUiCtrl, Always, CloseAllCommand),
    Row(vk::kDelete, 0, Always, CloseCurrentEntry),
    Row('A', kCtrlAlt, Always, ExportPictures, 1),
    KeyRow{'C', kUiCtrl, kUiShift | kUiAlt, Always, CopyImage},
    Row('C', kUiCtrl, Always, ResetCloudMix),
    Step('C', kUiShift, StepCloudMix, -kPresetStep),
    Step('C', 0, StepCloudMix, kPresetStep),
    Row('E', 0, Always, ShowPlaybackBar),
    Row('F', kAll, Always, ToggleLoadInfo),
    Row('F', kUiCtrl, Always, ResetFog),
    Step('F', kUiShift, StepFog, -kPresetStep),
    Step('F', 0, StepFog, kPresetStep),
    Row('G', kAll, Always, ShowGlInfoAndRecreate),
    Row('G', kCtrlAlt, Always, CycleGlInfoLines),
    Row('G', kUiCtrl, Always, ResetGraphics),
    Step('G', kUiShift, StepGraphics, -kPresetStep),
    Step('G', 0, StepGraphics, kPresetStep),
    Row('H', kUiCtrl, Always, ShowContextMenu),
    Row('I', 0, Always, ToggleInfoLines),
    Row('L', kUiCtrl, Always, ResetLineWidth),
    Step('L', kUiShift, StepLineWidth, -kLineWidthStep),
    Step('L', 0, StepLineWidth, kLineWidthStep),
    Row('M', kUiCtrl, TopLevel, ToggleCaptionFrame),
    Row('M', 0, Always, ToggleMute),
    Row('O', kUiCtrl, Always, OpenFileDialog, 0),
    Row('P', 0, Always, ShowParameterDialog),
    Row('R', kCtrlAlt, Always, ResetParameters, 0),
    Row('R', kUiCtrl, Always, ResetParameters, 1),
    Row('T', kAll, Always, ToggleTopMost),
    Row('V', kUiCtrl, Always, PasteImage),
    Row('V', 0, Always, ToggleSoundInfo),
    Row('W', kCtrlAlt, Always, ExportPictures, 0),
    Row('W', kUiCtrl, Always, CloseCurrentEntry),
    Row('X', kUiCtrl, Always, CutImage),
    Row('Z', kUiCtrl, Always, CloseAllCommand),
    Row(vk::kF2, 0, Always, SetClientSize, 320, 240),
    Row(vk::kF3, 0, Always, SetClientSize, 640, 480),
    Row(vk::kF4, 0, Always, SetClientSize, 800, 600),
    Row(vk::kF5, 0, Always, SetClientSize, 1024, 768),
    Row(vk::kF6, 0, Always, SetClientSize, 1280, 1024),
    Row(vk::kF7, 0, Always, SetClientSize, 1600, 1200),
};

bool ConditionHolds(KeyCondition condition, const LBeamvistaOperations& preview)
{
    switch (condition) {
    case Always:
        return true;
    case TwoShows:
        return preview.ShowCount() >= 2;
    case AnyShow:
        return preview.ShowCount() >= 1;
    case FullScreen:
        return preview.IsFullScreen();
    case TopLevel:
        return !preview.IsChildWindow();
    }
    return false;
}

// Runs a row's operation; false where the operation itself declines the key.
bool Run(LBeamvistaOperations& preview, const KeyRow& row, uint32_t modifiers)
{
    switch (row.operation) {
    case TogglePlayPause:
        preview.TogglePlayPause();
        break;
    case ToggleFullScreen:
        preview.ToggleFullScreen();
        break;
    case OpenFirst:
        preview.OpenEntry(0);
        break;
    case OpenPrevious:
        preview.OpenEntry(preview.CurrentIndex() - 1);
        break;
    case OpenNext:
        preview.OpenEntry(preview.CurrentIndex() + 1);
        break;
    case OpenLast:
        preview.OpenEntry(-1);
        break;
    case Navigate:
        preview.Navigate(static_cast<uint32_t>(row.number));
        break;
    case OpenFileDialog:
        preview.OpenFileDialog(row.number != 0);
        break;
    case CloseCurrentEntry:
        preview.CloseCurrentEntry();
        break;
    case CloseAllCommand:
        preview.CloseAllCommand();
        break;
    case ExportPictures:
        preview.ExportPictures(row.number != 0);
        break;
    case CopyImage:
        preview.CopyImage();
        break;
    case CutImage:
        preview.CutImage();
        break;
    case PasteImage:
        preview.PasteImage();
        break;
    case ResetCloudMix:
        preview.ResetCloudMix();
        break;
    case StepCloudMix:
        preview.StepCloudMix(row.step);
        break;
    case ShowPlaybackBar:
        preview.ShowPlaybackBar();
        break;
    case ToggleLoadInfo:
        preview.ToggleLoadInfo();
        break;
    case ResetFog:
        preview.ResetFog();
        break;
    case StepFog:
        preview.StepFog(row.step);
        break;
    case ShowGlInfoAndRecreate:
        preview.ShowGlInfoAndRecreate();
        break;
    case CycleGlInfoLines:
        preview.CycleGlInfoLines();
        break;
    case ResetGraphics:
        preview.ResetGraphics();
        break;
    case StepGraphics:
        preview.StepGraphics(row.step);
        break;
    case ShowContextMenu:
        preview.ShowContextMenu();
        break;
    case ToggleInfoLines:
        preview.ToggleInfoLines(modifiers);
        break;
    case ResetLineWidth:
        preview.ResetLineWidth();
        break;
    case StepLineWidth:
        preview.StepLineWidth(row.step);
        break;
    case ToggleCaptionFrame:
        preview.ToggleCaptionFrame();
        break;
    case ToggleMute:
        preview.ToggleMute();
        break;
    case ShowParameterDialog:
        preview.ShowParameterDialog();
        break;
    case ResetParameters:
        preview.ResetParameters(row.number != 0);
        break;
    case ToggleTopMost:
        return preview.ToggleTopMost();
    case ToggleSoundInfo:
        preview.ToggleSoundInfo();
        break;
    case SetClientSize:
        preview.SetClientSize(row.number, row.number2);
        break;
    }
    return true;
}

} // namespace

std::span<const KeyRow> PreviewKeyTable()
{
    return kKeyTable;
}

const KeyRow* FindKeyRow(int32_t virtualKey, uint32_t modifiers)
{
    for (const KeyRow& row : kKeyTable) {
        if (row.key == virtualKey && (modifiers & row.held) == row.held && (modifiers & row.notHeld) == 0)
            return &row;
    }
    return nullptr;
}

bool RunKeyDown(LBeamvistaOperations& preview, int32_t virtualKey, uint32_t modifiers)
{
    const KeyRow* row = FindKeyRow(virtualKey, modifiers);
    if (row == nullptr || !ConditionHolds(row->condition, preview))
        return false;
    return Run(preview, *row, modifiers);
}

bool RunSysKeyDown(LBeamvistaOperations& preview, int32_t virtualKey, uint32_t modifiers)
{
    if (virtualKey == vk::kReturn) {
        preview.ToggleFullScreen();
        return true;
    }
    // I with Alt toggles the laser rate line, as its menu item says; F1 asks the plain table.
    if (virtualKey == vk::kF1 || virtualKey == 'I')
        return RunKeyDown(preview, virtualKey, modifiers);
    return false;
}

bool IsSystemKey(uint32_t modifiers)
{
    return (modifiers & kUiAlt) != 0 && (modifiers & kUiCtrl) == 0;
}

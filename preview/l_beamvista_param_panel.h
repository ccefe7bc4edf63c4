// What the four panels of the parameter dialog share: their controls, made from a table of
// template item ids and the parameter names they show, attached to their items in the data
// exchange and bound by name once the window exists. A panel has no logic beyond its binding.
#pragma once

#include "controls/l_button.h"
#include "controls/l_checkbox.h"
#include "controls/l_dialog.h"
#include "controls/l_edit.h"
#include "controls/l_spin.h"
#include "controls/l_spin_xy.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A control's template item and the parameter it shows.
struct ParamBinding
{
    int32_t id;
    const char* name;
};

// A two-axis spin's item, its two parameters and its mode (1: linked sizes).
struct ParamXYBinding
{
    int32_t id;
    const char* xName;
    const char* yName;
    int32_t mode;
};

struct ParamPanelLayout
{
    std::span<const ParamBinding> checkboxes;
    std::span<const ParamBinding> buttons;
    std::span<const ParamBinding> edits;
    std::span<const ParamBinding> spins;
    std::span<const ParamXYBinding> spinXYs;
};

class LBeamvistaParamPanel : public LDialog
{
  public:
    explicit LBeamvistaParamPanel(const ParamPanelLayout& layout);
    ~LBeamvistaParamPanel() override;

  protected:
    bool DoDataExchange() override;
    bool OnInitDialog() override;
    // The full parameter name of a table's name (the background panels put their slot's prefix
    // in front).
    virtual XAString ParameterName(const char* name) const { return name; }

  private:
    XAString KeyOf(const char* name) const;

    const ParamPanelLayout& layout_;
    std::vector<std::unique_ptr<LCheckbox>> checkboxes_;
    std::vector<std::unique_ptr<LButton>> buttons_;
    std::vector<std::unique_ptr<LEditString>> edits_;
    std::vector<std::unique_ptr<LSpin>> spins_;
    std::vector<std::unique_ptr<LSpinXY>> spinXYs_;
};

#include "conversion/cvt_pars_parameter_objects.h"

#include "conversion/cvt_par_handler.h"
#include "conversion/cvt_par_table.h"
#include "conversion/lcvt_pars.h"
#include "conversion/lcvt_pars_dependency_checker.h"
#include "messaging/value_handler.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_handler_prerequisites.h"

#include <array>
#include <memory>

namespace {

// The record, then the checker, then the handlers in number order; destroyed in reverse.
class CvtParsParameterObjects : ValueHandlerPrerequisites
{
  public:
    CvtParsParameterObjects()
    {
        for (int32_t n = 1; n <= kCvtParCount; ++n) {
            handlers_[Slot(n)] = MakeCvtParHandler(n);
        }
    }

    ~CvtParsParameterObjects()
    {
        for (int32_t n = kCvtParCount; n >= 1; --n) {
            handlers_[Slot(n)].reset();
        }
    }

    CvtParsParameterObjects(const CvtParsParameterObjects&) = delete;
    CvtParsParameterObjects& operator=(const CvtParsParameterObjects&) = delete;

    LValueHandler& Handler(int32_t n) { return *handlers_[Slot(n)]; }

    const LCvtPars record;
    LCvtParsDependencyChecker checker{record, &CvtParsParameterObject};

  private:
    static std::size_t Slot(int32_t n) { return static_cast<std::size_t>(n - 1); }

    std::array<std::unique_ptr<LValueHandler>, kCvtParCount> handlers_;
};

CvtParsParameterObjects& TheObjects()
{
    static CvtParsParameterObjects objects;
    return objects;
}

// The family is complete before the program's own code runs.
[[maybe_unused]] const CvtParsParameterObjects& kBuiltAtStart = TheObjects();

} // namespace

LValueHandler& CvtParsParameterObject(int32_t n)
{
    if (n < 1 || n > kCvtParCount) {
        return LValueHandlerDummy::Get();
    }
    return TheObjects().Handler(n);
}

const LCvtPars& CvtParsDefaults()
{
    return TheObjects().record;
}

LCvtParsDependencyChecker& CvtParsDependencyCheckerObject()
{
    return TheObjects().checker;
}

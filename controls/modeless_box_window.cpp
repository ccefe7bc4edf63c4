#include "controls/modeless_box_window.h"

namespace {

ModelessBoxService* currentService = nullptr;

} // namespace

ModelessBoxService* CurrentModelessBoxService()
{
    return currentService;
}

ModelessBoxService* SetModelessBoxService(ModelessBoxService* service)
{
    ModelessBoxService* previous = currentService;
    currentService = service;
    return previous;
}

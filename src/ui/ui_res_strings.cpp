#include "ui/ui_res_strings.h"

#include "core/core_res_strings.h"

namespace {

constexpr TResStringEntry UiStrings[] = {
    {ResIdentifier(SMsgDlgWarning), u"Warning"},
    {ResIdentifier(SMsgDlgError), u"Error"},
    {ResIdentifier(SMsgDlgInformation), u"Information"},
    {ResIdentifier(SMsgDlgConfirm), u"Confirm"},
    {ResIdentifier(SMsgDlgYes), u"&Yes"},
    {ResIdentifier(SMsgDlgNo), u"&No"},
    {ResIdentifier(SMsgDlgOK), u"OK"},
    {ResIdentifier(SMsgDlgCancel), u"Cancel"},
    {ResIdentifier(SMsgDlgAbort), u"&Abort"},
    {ResIdentifier(SMsgDlgRetry), u"&Retry"},
    {ResIdentifier(SMsgDlgIgnore), u"&Ignore"},
    {ResIdentifier(SMsgDlgAll), u"&All"},
    {ResIdentifier(SMsgDlgNoToAll), u"N&o to All"},
    {ResIdentifier(SMsgDlgYesToAll), u"Yes to &All"},
    {ResIdentifier(SMsgDlgHelp), u"&Help"},
    {ResIdentifier(SCannotFocus), u"Cannot focus a disabled or invisible window"},
    {ResIdentifier(SVisibleModal), u"Cannot make a visible window modal"},
    {ResIdentifier(SMenuInserted), u"Menu inserted twice"},
    {ResIdentifier(SMenuItemInItself), u"A menu item cannot hold itself"},
    {ResIdentifier(SControlParentSelf), u"A control cannot be its own parent"},
    {ResIdentifier(SNoHelpViewer), u"No help viewer is installed"},
};

// The window model is built upon the core: a program that links it offers both modules' texts.
const bool UiModuleRegistered = RegisterResModule(UiResources);

}  // namespace

constinit const TResModule UiResources{UiStrings, &CoreResources};

#include "core/core_res_strings.h"

namespace {

constexpr TResStringEntry CoreStrings[] = {
    {ResIdentifier(SListIndexError), u"List index out of bounds (%d)"},
    {ResIdentifier(SReadError), u"Stream read error"},
    {ResIdentifier(SWriteError), u"Stream write error"},
    {ResIdentifier(SInvalidInteger), u"'%s' is not a valid integer value"},
    {ResIdentifier(SAssignError), u"Cannot assign a %s to a %s"},
    {ResIdentifier(SCodePageNotSupported), u"Code page %d is not supported"},
    {ResIdentifier(SFCreateErrorEx), u"Cannot create file \"%s\". %s"},
    {ResIdentifier(SFOpenErrorEx), u"Cannot open file \"%s\". %s"},
    {ResIdentifier(SSortedListError), u"Operation not allowed on sorted list"},
    {ResIdentifier(SDuplicateString), u"String list does not allow duplicates"},
    {ResIdentifier(SInvalidFormat), u"Format '%s' invalid or incompatible with argument"},
};

}  // namespace

constinit const TResModule CoreResources{CoreStrings};

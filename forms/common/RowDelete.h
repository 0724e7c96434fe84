// The Delete of a list form whose add/edit dialog is bound to the list's own
// request: the selected row is destroyed through the row status, and the
// list is read again.
#pragma once

#include <functional>

#include "platform/AnsiString.h"

class TListView;
class TSavedAccess;
class VnSNMPRequest2Edits;

// Without a selected row, or while the request is busy, a message says so
// and nothing is sent. Otherwise `destroy` runs inside one saved access (the
// access words come back after it): it leaves out what must not go, picks
// "destroy" and sends the SET; then the list is read again. An exception of
// either goes to `fail`. False only when the request was busy: the form then
// leaves its buttons as they are.
bool DeleteSelectedRow(TListView* list, VnSNMPRequest2Edits* request,
                       const std::function<void(TSavedAccess&)>& destroy,
                       const std::function<void(const AnsiString&)>& fail);

#pragma once
// The built-in "cemapi.dll": a message store with one store, "SMS", whose
// inbox is the inbox folder of MessageFolders.h. Messages arrive when a file
// appears there (written by another process or by deliverToInbox); a file
// that is no message is left out of the inbox.

#include "platform/mapi/MapiTypes.h"
#include "platform/system/WinTypes.h"

namespace wce {

// Counted: every successful call needs its MAPIUninitialize.
HRESULT MAPIInitialize(void* parameters);
void MAPIUninitialize();
// MAPI_E_NOT_INITIALIZED before MAPIInitialize; MAPI_E_LOGON_FAILED while the
// device has no message folder.
HRESULT MAPILogonEx(std::uintptr_t window, const char16_t* profileName, const char16_t* password, ULONG flags,
                    IMAPISession** session);
HRESULT MAPIAllocateBuffer(ULONG size, void** buffer);
// A buffer freed together with parent.
HRESULT MAPIAllocateMore(ULONG size, void* parent, void** buffer);
// Null is accepted; E_INVALIDARG for a pointer that is not a live buffer.
ULONG MAPIFreeBuffer(void* buffer);

using MAPIInitializeFunction = decltype(&MAPIInitialize);
using MAPIUninitializeFunction = decltype(&MAPIUninitialize);
using MAPILogonExFunction = decltype(&MAPILogonEx);
using MAPIFreeBufferFunction = decltype(&MAPIFreeBuffer);

// Adds the entries above to "cemapi.dll" in the module table.
void registerMapiEntries();

}  // namespace wce

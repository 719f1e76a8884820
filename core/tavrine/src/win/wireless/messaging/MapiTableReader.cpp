#include "wireless/messaging/MapiTableReader.h"

#include "util/DVector.h"
#include "wireless/messaging/DMAPIEntryArray.h"
#include "wireless/messaging/DMessage.h"

namespace qel::messaging {

namespace {

using qel::lang::DString;
using qel::lang::DStringPtr;

const wce::PropValue* findValue(const wce::Row& row, wce::ULONG tag) {
  for (wce::ULONG i = 0; i < row.valueCount; ++i) {
    if (row.values[i].tag == tag) return &row.values[i];
  }
  return nullptr;
}

DStringPtr textOf(const wce::Row& row, wce::ULONG tag) {
  const wce::PropValue* value = findValue(row, tag);
  return value && value->value.unicode ? DStringPtr(new DString(value->value.unicode)) : DStringPtr();
}

// Frees a row set with the library's MAPIFreeBuffer when it goes out of scope.
class RowSetHolder {
public:
  explicit RowSetHolder(const MapiLibrary& library) : library_(library) {}
  ~RowSetHolder() {
    if (rows_) library_.freeBuffer(rows_);
  }
  RowSetHolder(const RowSetHolder&) = delete;
  RowSetHolder& operator=(const RowSetHolder&) = delete;

  wce::RowSet** out() { return &rows_; }
  // The first row, or null when the set is missing or empty.
  const wce::Row* first() const { return rows_ && rows_->rowCount > 0 ? &rows_->rows[0] : nullptr; }

private:
  const MapiLibrary& library_;
  wce::RowSet* rows_ = nullptr;
};

// Releases a message store object when it goes out of scope.
template <typename Object>
class Released {
public:
  explicit Released(Object* object) : object_(object) {}
  ~Released() {
    if (object_) object_->Release();
  }
  Released(const Released&) = delete;
  Released& operator=(const Released&) = delete;

private:
  Object* object_;
};

}  // namespace

DMAPIEntryArrayPtr MapiTableReader::listStores(wce::IMAPISession* session) const {
  wce::IMAPITable* table = nullptr;
  if (!session || wce::failed(session->GetMsgStoresTable(wce::MAPI_UNICODE, &table)) || !table) return nullptr;
  const Released<wce::IMAPITable> releaseTable(table);
  static constexpr wce::ULONG kColumns[] = {wce::PR_DISPLAY_NAME_W, wce::PR_ENTRYID};
  const wce::PropTagArray columns{2, kColumns};
  if (wce::failed(table->SetColumns(&columns, 0))) return nullptr;

  qel::util::DVectorPtr entries = new qel::util::DVector();
  for (;;) {
    RowSetHolder rows(library_);
    if (wce::failed(table->QueryRows(1, 0, rows.out())) || !rows.first()) break;
    DMAPIEntryPtr entry = new DMAPIEntry();
    const wce::PropValue* name = findValue(*rows.first(), wce::PR_DISPLAY_NAME_W);
    const wce::PropValue* id = findValue(*rows.first(), wce::PR_ENTRYID);
    entry->setName(name ? name->value.unicode : nullptr);
    if (id) entry->setEntryId(id->value.binary);
    entries->addElement(entry);
  }
  DMAPIEntryArrayPtr array = new DMAPIEntryArray(entries->size());
  for (int32_t i = 0; i < entries->size(); ++i) {
    array->at(i) = static_cast<DMAPIEntry*>(entries->elementAt(i));
  }
  return array;
}

bool MapiTableReader::prepareMessages(wce::IMAPITable* table, bool withFlags) {
  static constexpr wce::ULONG kColumns[] = {wce::PR_SUBJECT_W,
                                            wce::PR_SENDER_EMAIL_ADDRESS_W,
                                            wce::PR_ENTRYID,
                                            wce::PR_MESSAGE_DELIVERY_TIME,
                                            wce::PR_MESSAGE_FLAGS};
  const wce::PropTagArray columns{withFlags ? 5u : 4u, kColumns};
  static constexpr wce::SortOrder kNewestFirst[] = {{wce::PR_MESSAGE_DELIVERY_TIME, wce::TABLE_SORT_DESCEND}};
  const wce::SortOrderSet order{1, kNewestFirst};
  return table && wce::succeeded(table->SetColumns(&columns, 0)) && wce::succeeded(table->SortTable(&order, 0));
}

bool MapiTableReader::nextMessage(wce::IMAPITable* table, DMessagePtr& message) const {
  RowSetHolder rows(library_);
  if (wce::failed(table->QueryRows(1, 0, rows.out())) || !rows.first()) return false;
  message =
      new DMessage(textOf(*rows.first(), wce::PR_SENDER_EMAIL_ADDRESS_W), textOf(*rows.first(), wce::PR_SUBJECT_W));
  return true;
}

DMessagePtr MapiTableReader::newestMessage(wce::IMAPITable* table) const {
  DMessagePtr message;
  if (!prepareMessages(table, true) || !nextMessage(table, message)) return nullptr;
  return message;
}

DMessagePtr MapiTableReader::findMessage(wce::IMAPITable* table, const DStringPtr& pattern, int32_t maxRows) const {
  if (!pattern || !prepareMessages(table, false)) return nullptr;
  DMessagePtr message;
  for (int32_t row = 0; (maxRows < 1 || row < maxRows) && nextMessage(table, message); ++row) {
    const DStringPtr text = message->getPayloadText();
    if (text && DString::wildcardMatch(pattern->chars(), text->chars(), 2) == 0) return message;
  }
  return nullptr;
}

}  // namespace qel::messaging

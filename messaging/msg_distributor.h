#pragma once
// LMsgDistributor: a source with any number of receivers, called in order of priority (highest
// first; equal priorities in the order they connected) on the sender's thread.
//
// A receiver may connect, disconnect, send or disconnect everything while it is being called.
// Each Dispatch walks the live receiver list with a cursor that lives in its frame; every change
// of the list moves the cursors of all sends in progress so that each continues with the
// receiver it would have called next, never calls a removed receiver, and calls a new one only
// when it was inserted behind that point. Sends allocate nothing.

#include "messaging/internal/receiver_places.h"
#include "messaging/msg_source.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class LMsgDistributor : public LMsgSourceInterface
{
  public:
    LMsgDistributor() = default;
    // Disconnects every receiver; a send in progress stops after the receiver it is calling.
    ~LMsgDistributor() override;

    // Inserts the receiver behind every receiver of higher or equal priority and asks for its
    // consent. Connected already with the same priority: true, nothing else; with another one: it
    // is disconnected and connected again. False when the list cannot grow or the receiver
    // refuses (it is then disconnected again).
    bool Connect(LMsgReceiverInterface* receiver, int32_t priority) override;
    // Takes the receiver out and tells it; false when it was not connected.
    bool Disconnect(LMsgReceiverInterface* receiver) override;
    // Calls the receivers in order until the list ends, the message is done or the distributor
    // disconnects all its receivers. The receivers' answers are not combined: true.
    bool Dispatch(LMsg& msg) override;

    // Disconnects every receiver, last first, then stops every send in progress after the
    // receiver it is calling.
    virtual void DisconnectAll();

    // The receiver of the first entry; null when there is none.
    LMsgReceiverInterface* FirstReceiver() const noexcept;
    bool IsConnected(LMsgReceiverInterface* receiver) const noexcept;

  protected:
    // For a class that is also an encoder: its encoder's Send goes here, so the message reaches
    // every receiver with the class recorded as sender.
    bool SendThroughSender(LMsg& msg) { return LMsgSenderInterface::Send(msg); }

  private:
    // Entries stand in order of priority, highest first, then of their connection number.
    struct Entry
    {
        LMsgReceiverInterface* receiver;
        int32_t priority;
        uint64_t connection;
    };
    using Place = LMsgReceiverPlaces::Place;
    struct SendCursor;

    // Lists up to this long are searched; longer ones keep an index of their receivers.
    static constexpr size_t kSearchedEntries = 8;

    // Index of the receiver's entry, -1 when absent: searched from the last backwards in a short
    // list, else found by its place.
    int32_t IndexOf(LMsgReceiverInterface* receiver) const noexcept;
    void IndexReceiver(const Entry& entry);
    // Index of the first entry with a priority lower than the given one; the end when none.
    int32_t InsertionIndex(int32_t priority) const noexcept;
    bool InsertEntry(int32_t index, const Entry& entry);
    void RemoveEntry(int32_t index);

    // Walked by index on every send: a vector, whose entries a send reaches without the
    // arithmetic of a segmented list. (Value transactions, which empty their lists from the
    // front, keep their receivers in lists of their own.)
    std::vector<Entry> receivers_;
    uint64_t connections_ = 0;
    // Where each receiver stands, while the list is longer than kSearchedEntries.
    LMsgReceiverPlaces places_;
    // The innermost send in progress; each links to the one it runs within.
    SendCursor* sends_ = nullptr;
};

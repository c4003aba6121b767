#pragma once

#include "particles/TRocketMessage.h"

#include <array>
#include <cstdint>
#include <string>

class TEngine;

// Texts floating over the play field: one main message for big gains, a slot per enemy for its own
// score text, and a two-line notice near the bottom of the screen. Created with each level.
class TMessage {
  public:
    static constexpr int SlotCount = 101;
    static constexpr int FirstSizeFont = 5; // size step 0 draws with font 5 (14 px) .. 20 with font 25
    static constexpr uint32_t MainColour = 0x0000FF00u;   // green
    static constexpr uint32_t SlotColour = 0x000067FFu;   // orange
    static constexpr uint32_t NoticeColour = 0x80FFFFFFu; // white at half alpha

    TMessage() = default;
    // Engine may be null: everything runs, nothing is drawn.
    TMessage(TEngine* Engine, int NoticeFont);

    void ShowMessage(const std::string& Text, double X, double Y);
    // Enemies beyond the last slot share slots: index mod 101.
    void AddMessage(int Slot, const std::string& Text, double X, double Y);
    // Keeps an enemy's text on its enemy.
    void MoveMessage(int Slot, double X, double Y);
    // Stores both lines and asks for the notice to be shown from the next Draw.
    void RequestNotice(const std::string& Line1, const std::string& Line2);
    // Once per frame: the notice, the main message, then the slots; each grows, fades and draws.
    void Draw();

    static int SlotOf(int Index);

    bool NoticeRequest = false;
    int NoticeFont = 3;
    TRocketMessage Main;
    std::array<TRocketMessage, SlotCount> Slots{};
    bool NoticeShown = false;
    std::string NoticeLine1;
    std::string NoticeLine2;
    uint32_t NoticeStart = 0;
    int NoticeDuration = 1500; // ms
    TEngine* Engine = nullptr;

  private:
    void DrawNotice();
    void DrawMessage(TRocketMessage& Message, uint32_t Colour);
    int TextWidth(const std::string& Text, int Font) const;
    void DrawCentred(const std::string& Text, double X, double Y, uint32_t Colour, int Font);
};

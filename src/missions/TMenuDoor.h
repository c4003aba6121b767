#pragma once

// What a mission asks of the menus around it without knowing them: the endless ship chosen on the
// set-up page, and the page that follows a mission. The running menu is the door.
class TMenuDoor {
  public:
    // The endless mode's ship, 1..3 each.
    virtual int GetSpeed() const = 0;
    virtual int GetSteer() const = 0;
    virtual int GetShield() const = 0;
    // The campaign page, after a campaign mission won or left.
    virtual void ShowCampaignPage() = 0;
    // The credits, after the last mission of the campaign.
    virtual void ShowCredits() = 0;
    // An endless game's result entered in the high scores, and their page.
    virtual void ShowHighScores(int SurvivalTime, int Kills) = 0;

  protected:
    ~TMenuDoor() = default;
};

// The running menu; nullptr while there is none (a mission's rules tested alone).
TMenuDoor* MenuDoor();

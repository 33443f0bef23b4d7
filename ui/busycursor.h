#pragma once

// Shows the busy cursor over the whole program for as long as it lives, when
// asked to: around work that keeps the user waiting, such as deriving a
// strong wallet's key.
class BusyCursor
{
public:
    explicit BusyCursor(bool busy);
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool m_busy;
};

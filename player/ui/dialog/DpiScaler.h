// Drawing positions written for 96 DPI, scaled to the screen's DPI, which is read
// once, on first use.
#pragma once

class CDpiScaler {
public:
    int ScaleX(int value);
    int ScaleY(int value);

    // Scalers that read their DPI from now on take these values instead of the
    // screen's (Wine's cannot change while it runs); 0 goes back to the screen's.
    static void PresetDpi(int dpiX, int dpiY);

private:
    void Scan();

    bool m_bScanned = false;
    int m_nDpiX = 96;
    int m_nDpiY = 96;
};

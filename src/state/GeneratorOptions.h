#pragma once

class Controls;

// The calculation options, read from their controls at the moment of use (page "Berechnungs-Optionen",
// UpDown8 below the tip grid, UpDown7 on page "Datenbank"). Setters write the controls, so the user sees
// every change the search makes.
class GeneratorOptions {
public:
    explicit GeneratorOptions(Controls& controls) : c_(controls) {}

    // The form defaults of every option control.
    void installDefaults();

    int digitSumMin() const;           // UpDown1
    int digitSumMax() const;           // UpDown2
    bool preferPairs() const;          // CheckBox1
    bool preferFrequent() const;       // CheckBox2
    bool limitOverlap() const;         // CheckBox3
    int maxOverlap() const;            // UpDown3
    bool limitLastDraw() const;        // CheckBox4
    int maxFromLastDraw() const;       // UpDown4
    bool limitSecondLastDraw() const;  // CheckBox5
    int maxFromSecondLastDraw() const; // UpDown5
    bool preferTriples() const;        // CheckBox6
    bool preferQuads() const;          // CheckBox7
    bool forcePair() const;            // CheckBox8
    bool forbidArchiveMatch() const;   // CheckBox9
    int archiveMatchSize() const;      // UpDown6
    bool preferRare() const;           // CheckBox10
    bool rarestPairs() const;          // CheckBox11
    bool rarestTriples() const;        // CheckBox12
    bool rarestQuads() const;          // CheckBox13
    bool preferSeldomDrawn() const;    // CheckBox14, stored only
    bool preferredOnly() const;        // CheckBox15
    bool avoidPopular() const;         // CheckBox30, where the game's popularity is known
    int tipCount() const;              // UpDown8
    int runLimitThousands() const;     // UpDown7

    void setForcePair(bool on);
    void setMaxFromLastDraw(int value);
    void setMaxFromSecondLastDraw(int value);
    void setArchiveMatchSize(int value);

    Controls& controls() { return c_; }

private:
    Controls& c_;
};

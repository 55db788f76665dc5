#pragma once
// The values the raise-curve design works with: the employee values a chart point can be
// built from, and the points of the five designs as the screen holds them.

#include <QString>
#include <array>

// One employee of the project as the design chart reads it (VSYAIN).
struct TDesignEmployee {
    qint64 Sco = 0;
    QString Sna;
    int Mco = 0;     // mark group
    int Toukyu = 0;  // grade
    int Nenrei = 0;  // X items 0..5
    int Kinzoku = 0;
    int Nensu = 0;
    int Gouhou = 0;
    double Tritsu = 0.0;
    int Tensu = 0;
    double Kkyu1 = 0.0; // yen
    double Kkyu2 = 0.0;
    double Kkyu3 = 0.0;
    double Syotei = 0.0;
    double Syouyo = 0.0;
    double Syouyo2 = 0.0;
    QString Hyouka; // evaluation symbol
    int Zonex = 0;
    int Jiseki = 0;
};

// The points of one design: X values (ages) and amounts in yen, [1..6].
struct TDesignPoints {
    std::array<int, 7> age{};
    std::array<double, 7> amount{};
};
// The five designs, [1..5].
using TDesignSet = std::array<TDesignPoints, 6>;

// One row of the design wage table (DCHINGIN): one year of one design.
struct TDesignWageRow {
    int design = 0;        // SDCO 1..5
    int no = 0;            // NO: position from the design's lowest age, 1 first
    int age = 0;           // SNENREI
    double amount = 0.0;   // SKIN, yen
    double increase = 0.0; // SUPKIN, to the next year
    double rate = 0.0;     // SUPRITSU, percent with 2 decimals
    int index = 0;         // KAKUSA, percent of the amount at the lowest age
};

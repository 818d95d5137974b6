#pragma once

#include <string>

// What tells the six event bars apart: texts, keys and captions fixed by the bar's number.
struct BarConstants {
    int number;
    std::string submenuCaption;     // "事件条N"
    std::string barCountCaption;    // "N条"
    std::string barCountWord;       // stored form of the bar count, "一条" ...
    std::string contentKey;         // "事件条N内容"
    std::string speedKey;           // "事件条N滚动速度"
    std::string stepKey;            // "事件条N滚动步调"
    std::string stepTitle;          // step box title
    std::string speedTitle;         // speed box title
    std::string speedPrompt;        // speed box prompt
    std::string stopCaption;        // the stop item
    std::string contentTitle;       // event entry box title
    std::string contentPromptFirst; // first line of the entry box prompt
    std::string sampleEvent;        // "重要事件第N件"
    std::string recordWord;         // "第N条"
};

// n from 1 to 6.
const BarConstants& barConstants(int n);

// The prompt shared by every step box, the time bar's included.
const std::string& stepPrompt();

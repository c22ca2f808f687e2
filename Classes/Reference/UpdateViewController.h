#pragma once
// The one-page notice shown once after the tips have been seen. Built from
// "UpdateViewController".

#include <string>

#include "Classes/Reference/NoticePager.h"

class UpdateViewController : public NoticePager {
public:
    explicit UpdateViewController(const std::string& nibName = "UpdateViewController");

    static void registerInterface();

    void viewDidLoad() override;
};

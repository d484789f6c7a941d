// shokyaku run in-process: the JSON agrees with the return computed from the
// register, the tables carry the same figures, and a refused year or rate
// writes nothing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/shokyaku_command.h"
#include "register/register_file.h"
#include "yearend/municipal_return.h"

namespace fenmark::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

reg::Row asset(const std::string& name, const std::string& type, const std::string& year,
               const std::string& cost, const std::string& life) {
    reg::Row row{};
    const auto set = [&row](reg::Column column, const std::string& text) {
        row[static_cast<std::size_t>(column - 1)] = text;
    };
    set(reg::assetName, name);
    set(reg::typeCode, type);
    set(reg::westernYear, year);
    set(reg::eraCode, "2");
    set(reg::eraYear, std::to_string(std::stoi(year) - 2018));
    set(reg::acquisitionMonth, "5");
    set(reg::acquisitionCost, cost);
    set(reg::usefulLife, life);
    set(reg::methodCode, "3");
    set(reg::quantity, "2");
    return row;
}

class Shokyaku : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = (fs::temp_directory_path() /
                 ("fenmark_shokyaku_" + std::to_string(::getpid()) + ".dat"))
                    .string();
        assets_.row(1) = asset("旋盤", "2", "2026", "400000", "5");
        assets_.row(2) = asset("陳列棚", "4", "2020", "1000000", "8");
        assets_.row(3) = asset("店舗", "0", "2020", "9000000", "22");
        assets_.row(4) = asset("工具", "6", "2019", "600000", "5");
        assets_.row(4)[reg::disposalMonth - 1] = "2026-08";
        assets_.row(4)[reg::disposalKind - 1] = "売却";
        (void)reg::writeRegisterFile(path_, assets_, 4);
    }
    void TearDown() override { fs::remove(path_); }

    int run(ShokyakuOptions options, std::string& out, std::string& err) {
        options.file = path_;
        std::ostringstream o;
        std::ostringstream e;
        const int status = runShokyaku(options, o, e);
        out = o.str();
        err = e.str();
        return status;
    }

    std::string path_;
    reg::AssetRegister assets_;
};

TEST_F(Shokyaku, JsonAgreesWithTheReturn) {
    ShokyakuOptions options;
    options.year = "R9";
    std::string out, err;
    ASSERT_EQ(run(options, out, err), 0) << err;
    const json j = json::parse(out);
    const yearend::MunicipalReturn r = yearend::municipalReturn(assets_, 4, 2027);
    EXPECT_EQ(j["year"], 2027);
    ASSERT_EQ(j["assets"].size(), 2U);
    const json& lathe = j["assets"][0];
    EXPECT_EQ(lathe["record"], 1);
    EXPECT_EQ(lathe["kind"], 2);
    EXPECT_EQ(lathe["acquired"], "2026-05");
    EXPECT_EQ(lathe["era"], 5);
    EXPECT_EQ(lathe["eraYear"], 8);
    EXPECT_EQ(lathe["quantity"], 2);
    EXPECT_EQ(lathe["residualRate"], "0.815");
    EXPECT_EQ(lathe["value"], 326000);
    EXPECT_EQ(lathe["acquiredLastYear"], true);
    EXPECT_EQ(j["assets"][1]["value"], *r.assets[1].value);
    ASSERT_EQ(j["removed"].size(), 1U);
    EXPECT_EQ(j["removed"][0]["record"], 4);
    EXPECT_EQ(j["removed"][0]["left"], "2026-08");
    ASSERT_EQ(j["excluded"].size(), 1U);
    EXPECT_EQ(j["excluded"][0]["reason"], "対象外（建物）");
    EXPECT_EQ(j["byKind"]["6"]["i"], 1600000);
    EXPECT_EQ(j["byKind"]["6"]["ro"], 600000);
    EXPECT_EQ(j["byKind"]["6"]["ni"], 1000000);
    EXPECT_EQ(j["byKind"]["2"]["ha"], 400000);
    EXPECT_EQ(j["totalValue"], r.totalValue);
    EXPECT_EQ(j["taxBase"], r.taxBase);
    EXPECT_EQ(j["rate"], 1.4);
    EXPECT_EQ(j["belowExemption"], true);
}

TEST_F(Shokyaku, TablesAndRefusals) {
    ShokyakuOptions options;
    options.year = "2027";
    options.rate = "2.1";
    options.format = Format::Tsv;
    std::string out, err;
    ASSERT_EQ(run(options, out, err), 0) << err;
    EXPECT_NE(out.find("1\t2\t機械及び装置\t旋盤\t2\t5\t8\t5\t400000\t5\t0.815\t326000\t326000"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("前年中に減少（売却 2026-08）"), std::string::npos);
    EXPECT_NE(out.find("税率（%）\t2.1"), std::string::npos);

    options.rate = "0";
    EXPECT_EQ(run(options, out, err), 1);
    EXPECT_TRUE(out.empty());
    EXPECT_NE(err.find(yearend::kBadMunicipalRateMessage), std::string::npos);
    options.rate = "1.4";
    options.year = "S60";
    EXPECT_EQ(run(options, out, err), 1);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace fenmark::cli

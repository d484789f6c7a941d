#!/usr/bin/env python3
"""Run two fenmark-cli executables over generated registers and compare them.

Called by scripts/compare_cli.sh, which builds the two executables. Every
register is written as the entry card writes one (code page 932, CR LF, 19
quoted fields, 22 for an asset that left the business); both executables get the same arguments and the same
environment, and their standard output, standard error and exit code must
agree byte for byte.
"""

from __future__ import annotations

import argparse
import concurrent.futures
import difflib
import json
import os
import random
import re
import shlex
import shutil
import subprocess
import sys
from dataclasses import dataclass, field
from pathlib import Path

CURRENT_YEARS = (2008, 2019, 2026, 2040)
STATEMENT_YEARS = (1, 10, 19, 20, 25, 30, 31, 38, 50, 99)
FORMATS = ("json", "tsv", "csv")
ROUNDINGS = ("up", "down")
TWO_TO_THE_24 = 1 << 24
MAX_COST = 2147483647

# ---------------------------------------------------------------------------
# Rate tables, read from the program's own source so that the generated
# rates are the texts the card would have written.


@dataclass
class RateTables:
    old: dict[int, str]  # life -> "0.1000.206"
    t2007: dict[int, str]  # life -> "0.1000.2500.3340.04448"
    t2012: dict[int, str]  # life -> "0.1000.250.06552"
    double: dict[int, str]  # life -> "0.200"


def read_rate_tables(path: Path) -> RateTables:
    source = path.read_text(encoding="utf-8")

    def table(name: str) -> dict[int, str]:
        match = re.search(r"\b" + name + r"\s*=\s*\{(.*?)\};", source, re.S)
        if not match:
            raise SystemExit(f"compare_cli: no table {name} in {path}")
        entries = {
            int(life): text
            for text, life in re.findall(r'"([^"]*)"\s*,\s*//\s*(\d+)', match.group(1))
        }
        if not entries:
            raise SystemExit(f"compare_cli: table {name} in {path} has no entries")
        return entries

    tables = RateTables(
        old=table("kOldTable"),
        t2007=table("kTable2007"),
        t2012=table("kTable2012"),
        double=table("kDoubleDeclining"),
    )
    # The layouts the card slices by character.
    for life, text in tables.old.items():
        assert len(text) == 10, (life, text)
    for life, text in tables.t2007.items():
        assert len(text) == 22, (life, text)
    for life, text in tables.t2012.items():
        assert len(text) == 16, (life, text)
    return tables


# ---------------------------------------------------------------------------
# Registers

NAMES = (
    "応接セット", "パソコン", "複合機", "事務机", "店舗", "倉庫", "住宅兼事務所",
    "空調設備", "給排水設備", "電気設備", "製本機", "旋盤", "梱包装置", "冷蔵庫",
    "陳列棚", "金庫", "工具一式", "電動工具", "軽トラック", "乗用車", "ﾌﾟﾘﾝﾀ",
    "ｺﾋﾟｰ機", "開業費", "ソフトウェア", "果樹（梅）", "乳牛", "看板", "机, 椅子",
    "ＰＯＳレジ", "駐車場舗装", "サーバー 2号機", "茶道具・器", "①番倉庫", "髙島屋什器",
)
TYPE_WORDS = ("建物", "付帯設備", "機械", "装置", "備品", "什器", "工具", "車両", "その他",
              "繰延", "生物")


def era_of(year: int, month: int, rng: random.Random) -> tuple[int, int]:
    """(era code, era year) for a western year: 0 Shōwa, 1 Heisei."""
    if year < 1989:
        return 0, year - 1925
    if year == 1989 and month == 1 and rng.random() < 0.5:
        return 0, 64
    return 1, year - 1988


def month_key(year: int, month: int) -> int:
    # As the card keys a date: year, then month + 10 (April is 14).
    return year * 100 + month + 10


def pick_cost(rng: random.Random) -> int:
    r = rng.random()
    if r < 0.03:
        return 0
    if r < 0.10:
        return rng.randint(1, 40)
    if r < 0.14:
        return rng.randint(41, 9999)
    if r < 0.19:
        # Around 2^24, where single precision stops holding whole yen.
        return TWO_TO_THE_24 + rng.randint(-200000, 800000)
    if r < 0.24:
        return rng.choice((MAX_COST, MAX_COST - 1, rng.randint(50_000_001, MAX_COST)))
    # Mostly realistic amounts, spread evenly over the orders of magnitude.
    return int(round(10 ** rng.uniform(4, 7.69897)))


def pick_quantity(rng: random.Random) -> int:
    r = rng.random()
    if r < 0.85:
        return rng.randint(1, 5)
    if r < 0.97:
        return rng.randint(6, 120)
    return rng.randint(121, 99999)


def pick_ratio(rng: random.Random) -> int:
    return 100 if rng.random() < 0.5 else rng.randint(1, 100)


def pick_life(rng: random.Random, lives: list[int], building: bool) -> int:
    if building and rng.random() < 0.7:
        candidates = [life for life in lives if 15 <= life <= 65]
        if candidates:
            return rng.choice(candidates)
    if rng.random() < 0.85:
        candidates = [life for life in lives if life <= 20]
        if candidates:
            return rng.choice(candidates)
    return rng.choice(lives)


def rates_2012(entry: str) -> str:
    # Revised rate, then the guarantee rate with its leading zero; life 2 has neither.
    guarantee = entry[-6:]
    if not guarantee or guarantee[0] == "-":
        return "-" * 12
    return entry[5:10] + "0" + guarantee


def make_asset(rng: random.Random, tables: RateTables) -> list[str]:
    kind = rng.choices(("old", "new", "three", "deferred"), weights=(40, 40, 10, 10))[0]
    revised_life = revised_rate = new_rates = ""
    residual, limit = "10", "95"

    if kind == "old":
        year = rng.randint(1950, 2007)
        month = rng.randint(1, 3 if year == 2007 else 12)
        key = month_key(year, month)
        asset_type = rng.randint(0, 8)
        declining_allowed = not (asset_type == 0 and key >= 199814)
        method = 0 if declining_allowed and rng.random() < 0.5 else 1
        life = pick_life(rng, sorted(tables.old), asset_type == 0)
        entry = tables.old[life]
        rate = entry[-5:] if method == 0 else entry[:5]
        if asset_type == 0 and year <= 1998 and rng.random() < 0.4:
            shorter = [l for l in tables.old if 2 <= l < life and l >= life - 20] or [life]
            revised = rng.choice(shorter)
            revised_life = str(revised)
            revised_entry = tables.old[revised]
            revised_rate = revised_entry[-5:] if method == 0 else revised_entry[:5]
    elif kind == "new":
        year = rng.choices((rng.randint(2007, 2030), rng.randint(2031, 2087)), weights=(9, 1))[0]
        month = rng.randint(4 if year == 2007 else 1, 12)
        key = month_key(year, month)
        asset_type = rng.randint(0, 8)
        declining_allowed = not (asset_type == 0 or (asset_type == 1 and key >= 201614))
        method = 4 if declining_allowed and rng.random() < 0.6 else 3
        table = tables.t2012 if method == 4 and key >= 201214 else tables.t2007
        life = pick_life(rng, sorted(table), asset_type == 0)
        entry = table[life]
        if method == 3:
            rate = entry[:5]
        elif key >= 201214:
            rate = tables.double[life]
            new_rates = rates_2012(entry)
        else:
            rate = entry[5:10]
            new_rates = entry[-12:]
    elif kind == "three":
        year = rng.randint(1999, 2040)
        month = rng.randint(1, 12)
        asset_type = rng.randint(1, 8)
        method, life, rate = 2, 3, "0.333 "
    else:
        year = rng.randint(1960, 2045)
        month = rng.randint(1, 12)
        asset_type = rng.choice((9, 10))
        method = 5
        life = pick_life(rng, sorted(tables.old), False)
        rate = tables.old[life][:5]
        residual, limit = "0", "100"

    era, era_year = era_of(year, month, rng)
    cost = rng.randint(100001, 200000) if method == 2 else pick_cost(rng)
    if rng.random() < 0.15:
        code = f"{year % 100:02d}{month:02d}-{asset_type}"
    else:
        code = f"{year}-{month:02d}-{asset_type}"
    name = rng.choice(NAMES)
    if rng.random() < 0.3:
        name = f"{name}{rng.randint(1, 99)}"
    elif rng.random() < 0.1:
        name = f"{name}（{TYPE_WORDS[asset_type]}）"

    return [
        name, code, str(era), str(era_year), str(month), "", str(asset_type), str(year),
        str(cost), str(life), rate, str(method), str(pick_quantity(rng)), str(pick_ratio(rng)),
        revised_life, revised_rate, residual, limit, new_rates,
    ]


# Values the card would refuse but a register file may still hold (data of
# older versions, files edited by hand): by column, 1-based.
ODD_VALUES = {
    3: ("2", "-1", ""),
    4: ("0", "65", "100", "999", ""),
    5: ("0", "13", "", "abc"),
    6: ("15", "1"),
    7: ("11", "-1", ""),
    8: ("", "0", "1", "99999", "+1", "-1"),
    9: ("2147483648", "3000000000", "99999999999", "-5000", "1e10", "", "abc", "12.5",
        " 300000"),
    10: ("0", "1", "101", "999", "5000", "9999", "", "abc", "7.5"),
    11: ("", "0", "1.5", "9e99", "abc", "0.1"),
    12: ("6", "-1", "", "abc"),
    13: ("0", "", "-1", "99999999999", "abc"),
    14: ("0", "", "150", "-10", "abc"),
    15: ("20", "0", "abc"),
    16: ("0.050", "", "abc"),
    17: ("", "100", "-5", "abc"),
    18: ("", "0", "150"),
    19: ("", "0.334", "abc", "------------", "0.3340.04448"),
}


# The columns the schedules compute with are changed more often.
ODD_WEIGHTS = {c: 3 if c in (8, 9, 10, 11, 12, 13, 14, 17, 18, 19) else 1 for c in ODD_VALUES}


def make_odd(asset: list[str], rng: random.Random) -> list[str]:
    odd = list(asset)
    columns = rng.choices(list(ODD_WEIGHTS), weights=list(ODD_WEIGHTS.values()),
                          k=rng.choice((1, 1, 1, 2)))
    for column in columns:
        value = rng.choice(ODD_VALUES[column])
        if column == 8 and value in ("+1", "-1"):
            # A western year that disagrees with the era year.
            value = str(int(asset[7]) + int(value))
        odd[column - 1] = value
    return odd


def leaving_fields(asset: list[str], rng: random.Random) -> list[str] | None:
    """Columns 20 to 22 of an asset that left the business: the month (from
    its acquisition to forty years on), 除却 or 売却 and a sale price."""
    try:
        year, month = int(asset[7]), int(asset[4])
    except ValueError:
        return None
    if not (1 <= month <= 12 and 1900 <= year <= 2100):
        return None
    left_year = year + rng.choice((0, 0, 1, 2, 3, 5, 8, 12, 20, 40))
    left_month = rng.randint(month if left_year == year else 1, 12)
    kind = rng.choice(("除却", "売却"))
    price = str(rng.choice((0, 1, 30000, 300000, rng.randint(1, 5000000)))) if kind == "売却" else ""
    return [f"{left_year:04d}-{left_month:02d}", kind, price]


def register_bytes(assets: list[list[str]]) -> bytes:
    lines = []
    for asset in assets:
        assert len(asset) in (19, 22) and not any('"' in f for f in asset)
        lines.append(",".join(f'"{f}"' for f in asset) + "\r\n")
    return "".join(lines).encode("cp932")


# ---------------------------------------------------------------------------
# Commands


def commands_for(rng: random.Random, asset_count: int, full: bool,
                 main_format: str = "json") -> list[list[str]]:
    """Argument lists after the file name's place holder FILE. The many
    schedules and statements of every setting are written as `main_format`."""
    out: list[list[str]] = []

    def with_encoding(args: list[str], cp932: bool) -> list[str]:
        return args + ["--encoding", "cp932"] if cp932 else args

    # The ledger list.
    for fmt in FORMATS:
        out.append(["list", "FILE", "--format", fmt])
    out.append(["list", "FILE", "--format", rng.choice(FORMATS), "--encoding", "cp932"])

    def window(month: int, rounding: str, year: int) -> list[str]:
        return ["--closing-month", str(month), "--rounding", rounding, "--current-year", str(year)]

    # Schedules of every asset.
    if full:
        combos = [(m, r, y) for m in range(1, 13) for r in ROUNDINGS for y in CURRENT_YEARS]
    else:
        combos = [(m, rng.choice(ROUNDINGS), rng.choice(CURRENT_YEARS)) for m in range(1, 13)]
    for m, r, y in combos:
        out.append(["schedule", "FILE", "--all"] + window(m, r, y) + ["--format", main_format])
    for fmt, cp932 in (("tsv", False), ("csv", False), (rng.choice(FORMATS), True)):
        m, r, y = rng.randint(1, 12), rng.choice(ROUNDINGS), rng.choice(CURRENT_YEARS)
        out.append(with_encoding(
            ["schedule", "FILE", "--all"] + window(m, r, y) + ["--format", fmt], cp932))
    # One asset reached by paging, as the window reaches it.
    m, r, y = rng.randint(1, 12), rng.choice(ROUNDINGS), rng.choice(CURRENT_YEARS)
    out.append(["schedule", "FILE", "--record", str(rng.randint(1, asset_count))]
               + window(m, r, y) + ([] if main_format == "json" else ["--format", main_format]))

    # Year-end statements.
    if full:
        combos = [(h, m, r, rng.choice(CURRENT_YEARS))
                  for h in STATEMENT_YEARS for m in range(1, 13) for r in ROUNDINGS]
    else:
        combos = [(h, rng.randint(1, 12), rng.choice(ROUNDINGS), rng.choice(CURRENT_YEARS))
                  for h in STATEMENT_YEARS]
    for h, m, r, y in combos:
        out.append(["statement", "FILE", "--year", str(h)] + window(m, r, y)
                   + ["--format", main_format])
    for fmt, cp932 in (("csv", False), ("tsv", False), (rng.choice(FORMATS), True)):
        h = rng.choice(STATEMENT_YEARS)
        m, r, y = rng.randint(1, 12), rng.choice(ROUNDINGS), rng.choice(CURRENT_YEARS)
        out.append(with_encoding(
            ["statement", "FILE", "--year", str(h)] + window(m, r, y) + ["--format", fmt],
            cp932))
    return out


# ---------------------------------------------------------------------------
# Running and comparing


@dataclass
class Outcome:
    code: int | str
    stdout: bytes
    stderr: bytes


@dataclass
class Difference:
    register: int
    index: int
    args: list[str]
    base: Outcome
    head: Outcome
    streams: list[str] = field(default_factory=list)


def run(cli: str, args: list[str], env: dict[str, str], timeout: float) -> Outcome:
    try:
        done = subprocess.run([cli] + args, stdin=subprocess.DEVNULL, capture_output=True,
                              env=env, timeout=timeout)
        return Outcome(done.returncode, done.stdout, done.stderr)
    except subprocess.TimeoutExpired as e:
        return Outcome(f"no end after {timeout:.0f} s", e.stdout or b"", e.stderr or b"")


def compare_one(job, base_cli, head_cli, env, timeout):
    register, index, args = job
    base = run(base_cli, args, env, timeout)
    head = run(head_cli, args, env, timeout)
    streams = [name for name, a, b in (("exit code", base.code, head.code),
                                       ("stdout", base.stdout, head.stdout),
                                       ("stderr", base.stderr, head.stderr)) if a != b]
    if isinstance(base.code, str):
        streams.append("base did not end")
    if isinstance(head.code, str):
        streams.append("head did not end")
    if not streams:
        return None
    return Difference(register, index, args, base, head, streams=streams)


def readable(data: bytes, args: list[str]) -> list[str]:
    """Lines for a diff: JSON laid out one table row a line, text decoded."""
    encoding = "cp932" if "cp932" in args else "utf-8"
    text = data.decode(encoding, errors="replace")
    if "json" in args or "--format" not in args:
        try:
            return layout(json.loads(text))
        except ValueError:
            pass
    return text.splitlines()


def layout(value, path: str = "") -> list[str]:
    """One line a scalar or a list of scalars (a table row), each led by its
    path, so that a diff line says by itself which asset and row it is."""
    def scalar(v) -> bool:
        return not isinstance(v, (list, dict))

    def text(v) -> str:
        return json.dumps(v, ensure_ascii=False)

    if isinstance(value, dict):
        lines = []
        for key, v in value.items():
            lines.extend(layout(v, f"{path}.{key}" if path else key))
        return lines
    if isinstance(value, list) and not all(scalar(x) for x in value):
        lines = []
        for i, v in enumerate(value):
            # The schedules of --all: name an asset by its record number.
            label = f"record {v['record']}" if isinstance(v, dict) and "record" in v else i
            lines.extend(layout(v, f"{path}[{label}]"))
        return lines
    return [f"{path or '.'} = {text(value)}"]


def describe(d: Difference, max_lines: int | None) -> list[str]:
    lines = [f"DIFFERENT ({', '.join(d.streams)}): fenmark-cli {shlex.join(d.args)}"]
    if d.base.code != d.head.code:
        lines.append(f"  exit code: base {d.base.code}, head {d.head.code}")
    for name, a, b in (("stdout", d.base.stdout, d.head.stdout),
                       ("stderr", d.base.stderr, d.head.stderr)):
        if a == b:
            continue
        diff = list(difflib.unified_diff(readable(a, d.args), readable(b, d.args),
                                         f"base {name}", f"head {name}", n=1, lineterm=""))
        if not diff:
            diff = [f"  (the {name} bytes differ but read alike: {len(a)} and {len(b)} bytes)"]
        if max_lines is not None and len(diff) > max_lines:
            diff = diff[:max_lines] + [f"  ... {len(diff) - max_lines} more diff lines"]
        lines.extend("  " + line for line in diff)
    return lines


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--base-cli", required=True)
    parser.add_argument("--head-cli", required=True)
    parser.add_argument("--rates", required=True, type=Path,
                        help="card/rate_tables.cpp to take the rate texts from")
    parser.add_argument("--work", required=True, type=Path, help="folder for the registers")
    parser.add_argument("--failures", required=True, type=Path)
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--full", action="store_true",
                        help="every closing month, rounding and current year for every register")
    parser.add_argument("--odd", type=float, default=50,
                        help="percentage of registers given one to three records the card "
                             "would refuse (default 50)")
    parser.add_argument("--leaving", type=float, default=10,
                        help="percentage of assets (other than 一括償却 and 少額特例) recorded "
                             "as scrapped or sold (default 10)")
    parser.add_argument("--text-only", action="store_true",
                        help="leave out the JSON commands (for revisions whose JSON layouts "
                             "differ); TSV and CSV still compare byte for byte")
    parser.add_argument("--show", type=int, default=50,
                        help="print diffs for this many differences (all go to the report)")
    parser.add_argument("--timeout", type=float, default=120.0,
                        help="seconds after which a run that has not ended counts as different")
    o = parser.parse_args()

    tables = read_rate_tables(o.rates)
    o.work.mkdir(parents=True, exist_ok=True)
    if o.failures.exists():
        shutil.rmtree(o.failures)

    # A settings file must not choose anything: every closing month is given,
    # and the settings folder is an empty one of our own.
    config = o.work / "config"
    config.mkdir(exist_ok=True)
    env = dict(os.environ)
    env.update(XDG_CONFIG_HOME=str(config), QT_QPA_PLATFORM="offscreen")

    jobs = []
    registers: dict[int, Path] = {}
    for r in range(1, o.count + 1):
        rng = random.Random(f"{o.seed}/{r}")
        assets = [make_asset(rng, tables) for _ in range(rng.randint(1, 60))]
        if rng.random() * 100 < o.odd:
            for _ in range(rng.randint(1, 3)):
                i = rng.randrange(len(assets))
                assets[i] = make_odd(assets[i], rng)
        # Leavings draw from a stream of their own: the rest of the register
        # stays what the same seed always gave.
        leaving_rng = random.Random(f"{o.seed}/{r}/leaving")
        for i, asset in enumerate(assets):
            if asset[11] in ("2", "6") or leaving_rng.random() * 100 >= o.leaving:
                continue
            fields = leaving_fields(asset, leaving_rng)
            if fields:
                assets[i] = asset + fields
        path = o.work / f"register-{o.seed}-{r:04d}.dat"
        path.write_bytes(register_bytes(assets))
        registers[r] = path
        main_format = "tsv" if o.text_only else "json"
        for i, args in enumerate(commands_for(rng, len(assets), o.full, main_format)):
            if o.text_only and "json" in args:
                continue
            jobs.append((r, i, [str(path) if a == "FILE" else a for a in args]))

    print(f"compare_cli: {o.count} registers (seed {o.seed}), {len(jobs)} commands, "
          f"{o.jobs} at a time", flush=True)

    differences: list[Difference] = []
    done = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=o.jobs) as pool:
        futures = [pool.submit(compare_one, job, o.base_cli, o.head_cli, env, o.timeout)
                   for job in jobs]
        step = max(1, len(jobs) // 10)
        for future in concurrent.futures.as_completed(futures):
            d = future.result()
            if d is not None:
                differences.append(d)
            done += 1
            if done % step == 0 and done < len(jobs):
                print(f"compare_cli: {done}/{len(jobs)} compared, {len(differences)} differ",
                      flush=True)

    differences.sort(key=lambda d: (d.register, d.index))
    if differences:
        o.failures.mkdir(parents=True)
        report = []
        for d in differences:
            kept = o.failures / registers[d.register].name
            if not kept.exists():
                shutil.copyfile(registers[d.register], kept)
            d.args = [str(kept) if a == str(registers[d.register]) else a for a in d.args]
            report.extend(describe(d, None))
            report.append("")
        (o.failures / "report.txt").write_text("\n".join(report), encoding="utf-8")
        for n, d in enumerate(differences):
            lines = describe(d, 16)
            print("\n".join(lines if n < o.show else lines[:1]))
        if len(differences) > o.show:
            print(f"compare_cli: diffs of the first {o.show} differences shown")
        print(f"compare_cli: registers and the full report are in {o.failures}")

    print(f"compare_cli: {len(jobs)} compared, {len(differences)} differ")
    return 1 if differences else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception:  # a fault of the comparison itself, not a difference
        import traceback
        traceback.print_exc()
        sys.exit(2)

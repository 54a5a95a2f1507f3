#!/usr/bin/env python3
"""Writes a large cutting problem for `kadrel calc --input` on standard output.

    scripts/large-problem.py PIECES LENGTHS STOCK [MODE] [EXTEND] [SHORTEST] [LONGEST] [SEED]

PIECES pieces of LENGTHS distinct lengths between SHORTEST and LONGEST (default 300 and 2900; drawn
with SEED, default 1; the pieces spread evenly over the lengths), STOCK stock lengths out of 6000, 6500, 3000, 7500, 4500,
7000, 5000, 5500, each with enough bars to cut the whole demand alone, saw width 5; the call asks
for method MODE (default 0) on all approved pieces, with joints from leftovers of EXTEND (default 0,
no joints). The same shape as CalculationBench's orders.
"""
import json
import random
import sys


def problem(pieces, distinct, stock_lengths, mode=0, extend=0, shortest=300, longest=2900, seed=1):
    rng = random.Random(seed)
    lengths = rng.sample(range(shortest, longest + 1), distinct)
    cuts = []
    demand = 0
    for d, length in enumerate(lengths):
        pcs = pieces // distinct + (1 if d < pieces % distinct else 0)
        if pcs == 0:
            continue
        demand += length * pcs
        cuts.append({"id": d + 1, "order_id": 1, "order_profile_id": 1, "status": 1,
                     "length": length, "pcs": pcs})
    stock = [6000, 6500, 3000, 7500, 4500, 7000, 5000, 5500][:stock_lengths]
    return {
        "settings": {"saw_width": 5, "ext_tolerance": 10},
        "profile": {"id": 1, "code": "LARGE", "remnant_length": 800,
                    "price": 10.0, "scrap_price": 1.0, "welding_price": 2.0},
        "lengths": [{"id": s + 1, "length": l, "int_stock": demand // l * 2 + 5, "typical": 1}
                    for s, l in enumerate(stock)],
        "order_profiles": [{"id": 1, "order_id": 1}],
        "cuts": cuts,
        "call": {"mode": mode, "status": 1, "extend": extend},
    }


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    numbers = [int(a) for a in sys.argv[1:]]
    json.dump(problem(*numbers), sys.stdout, indent=1)
    sys.stdout.write("\n")

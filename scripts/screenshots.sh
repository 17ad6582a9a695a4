#!/bin/sh
# Starts the desktop program under Xvfb on a fixture data directory (written with tallivan-cli)
# and saves screenshots of the main window, each of its pages and every dialog, driven with the
# keyboard and the mouse as a person would. Needs xvfb, xdotool and imagemagick, which it
# installs when missing.
#
#   sh scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]     (defaults: build/default, screenshots)
set -eu
sh "$(dirname "$0")/install-deps.sh" screenshots
build="$(cd "${1:-build/default}" && pwd)"
mkdir -p "${2:-screenshots}"
out="$(cd "${2:-screenshots}" && pwd)"
data="$(mktemp -d)"
display=":$((90 + $$ % 100))"
cli="$build/tallivan-cli --data $data"

# The fixture: names, two accounts, deposits, holdings at a loss, between the targets and above
# the take-profit price, a sold stock.
: > "$data/zrstk.typ"
$cli name 600000 浦发银行
$cli name 600036 招商银行
$cli name 600010 包钢股份
$cli name 0001 深发展
mkdir -p "$data/zrdata"
# The group's name: GBK, in 11 bytes.
{ printf '长线组' | iconv -f UTF-8 -t GBK; printf '\0\0\0\0\0'; } > "$data/zrdata/zrstk.grp"
acc=zrdata/zr_00001.acc
$cli --today 2026-01-05 add-account zrdata --title 长线 --date 2026-01-05 > /dev/null
$cli --today 2026-01-06 fund $acc --op deposit --amount 100000
$cli --today 2026-01-08 buy $acc --code 600000 --shares 1000 --price 10
$cli --today 2026-02-03 buy $acc --code 600036 --shares 500 --price 20
$cli --today 2026-03-10 sell $acc --code 600036 --shares 500 --price 22
$cli --today 2026-04-01 buy $acc --code 600010 --shares 2000 --price 5
$cli --today 2026-05-01 buy $acc --code 0001 --shares 300 --price 12
$cli edit-stock $acc --code 600000 --price 10.2 --memo 长期持有
$cli edit-stock $acc --code 600010 --price 4.5
$cli edit-stock $acc --code 0001 --price 13.5
$cli --today 2026-06-01 fund $acc --op withdraw --amount 2000 --title 生活费
$cli --today 2026-06-30 fund $acc --op adjust --amount 12.5 --title 利息税
$cli --today 2026-02-01 add-account zrdata --title 短线 --date 2026-02-01 > /dev/null

Xvfb "$display" -screen 0 1280x860x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2> /dev/null || true
    kill "$xvfb" 2> /dev/null || true
    rm -rf "$data"
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done

cd "$data"
"$build/tallivan" > /dev/null 2>&1 &
program=$!
main=$(xdotool search --sync --name '^Tallivan$' | head -1)
# No window manager here: the window is sized to the screen by hand.
xdotool windowsize --sync "$main" 1280 860
sleep 1

# shot NAME TITLE: the top-level window captioned TITLE, once it is shown.
shot() {
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$2\$" | tail -1) || true
    if [ -z "$window" ]; then
        echo "no window \"$2\" for $1" >&2
        return 0
    fi
    xdotool windowfocus --sync "$window" 2> /dev/null || true
    sleep 0.6
    import -window "$window" "$out/$1.png"
    echo "$out/$1.png"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
# The keys that close the last open dialog; the main window then takes the keyboard back (with
# no window manager nobody else gives it back).
done_with() { keys "$@"; xdotool windowfocus --sync "$main"; sleep 0.2; }
typed() { xdotool type --delay 60 "$1"; sleep 0.2; }
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.4; }
dclick() { xdotool mousemove --window "$main" "$1" "$2" click --repeat 2 --delay 80 1; }

xdotool mousemove --window "$main" 120 250
shot main-stocks Tallivan
keys alt+j
shot main-trades Tallivan
keys alt+z
shot main-funds Tallivan
keys alt+g

# The budget panel, priced.
click 370 813; keys ctrl+a; typed 1000; keys Tab; typed 10; keys Tab; typed 10.5; keys Tab space
shot main-budget Tallivan

# Buying: the fee and the total appear on leaving the price.
keys F11
keys Return Return Return; typed 600000; keys Return Return; typed 1000; keys Return; typed 10.5; keys Return
shot dialog-buy 买入股票
done_with Escape
# An invalid number: its message box.
keys F11
keys Return Return Return Return Return; typed 12a; keys Return
shot message-invalid-number 错误
keys Return
done_with Escape

# Selling more than held: the warning.
click 300 178
keys F12
keys Return Return Return Return Return; typed 5000; keys Return
shot message-sale-warning 错误
keys Return
shot dialog-sell 卖出股票
done_with Escape
keys ctrl+F12
shot dialog-rights 配股
done_with Escape
keys alt+s f
shot dialog-dividend 分红
done_with Escape

# The stock edit dialog, for a held and for a sold stock.
keys F9
shot dialog-edit-stock 修改股票
done_with Escape
click 300 468
keys F9
shot dialog-edit-sold-stock 修改股票
done_with Escape

# The transaction page: editing and undoing a transaction.
keys alt+j
click 300 125
keys F10
shot dialog-edit-trade 修改交易
done_with Escape
keys ctrl+F10
shot dialog-undo-trade 撤消交易
done_with Escape
keys alt+g

# Accounts and funds.
keys F8
shot dialog-fund 存取资金
done_with Escape
keys F7
shot dialog-add-account 添加帐户
done_with Escape
keys ctrl+F7
shot dialog-edit-account 修改帐户
done_with Escape
keys ctrl+d
shot dialog-delete-account 删除帐户
done_with Escape

# The file menu's dialogs and the help.
keys alt+f o
shot dialog-options 选项
done_with Escape
keys alt+f p
shot dialog-settings 设置参数
done_with Escape
keys ctrl+t
shot dialog-stock-name 添加/更改证券名称
done_with Escape
keys ctrl+r
shot dialog-update-prices 更新现价
done_with Escape
keys alt+h a
shot dialog-about 关于
keys Tab space
shot dialog-about-detail 关于
done_with Escape
keys alt+h c
shot help-manual 'Tallivan 使用说明'
done_with Escape
kill "$program"
wait "$program" 2> /dev/null || true

# With passwords asked for: the prompt, then the password change dialog.
$cli options --dirs zrdata --want-password 1
"$build/tallivan" > /dev/null 2>&1 &
program=$!
main=$(xdotool search --sync --name '^Tallivan$' | head -1)
xdotool windowsize --sync "$main" 1280 860
sleep 1
click 80 98
shot dialog-password-prompt 请输入帐户密码
done_with Return
keys ctrl+p
shot dialog-change-password 修改密码
done_with Escape

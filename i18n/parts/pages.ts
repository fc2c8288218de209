<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AttitudePage</name>
    <message>
        <source>姿态仪表</source>
        <translation>Attitude indicator</translation>
    </message>
    <message>
        <source>电子罗盘航向</source>
        <translation>Compass heading</translation>
    </message>
    <message>
        <source>姿态角</source>
        <translation>Attitude</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>IMU 传感器</source>
        <translation>IMU sensors</translation>
    </message>
    <message>
        <source>陀螺 X</source>
        <translation>Gyro X</translation>
    </message>
    <message>
        <source>陀螺 Y</source>
        <translation>Gyro Y</translation>
    </message>
    <message>
        <source>陀螺 Z</source>
        <translation>Gyro Z</translation>
    </message>
    <message>
        <source>加计 X</source>
        <translation>Accel X</translation>
    </message>
    <message>
        <source>加计 Y</source>
        <translation>Accel Y</translation>
    </message>
    <message>
        <source>加计 Z</source>
        <translation>Accel Z</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>GNSS 定位与状态</source>
        <translation>GNSS fix and status</translation>
    </message>
    <message>
        <source>GNSS 纬度</source>
        <translation>GNSS latitude</translation>
    </message>
    <message>
        <source>GNSS 经度</source>
        <translation>GNSS longitude</translation>
    </message>
    <message>
        <source>GNSS 高度</source>
        <translation>GNSS altitude</translation>
    </message>
    <message>
        <source>东向 Ve</source>
        <translation>East velocity</translation>
    </message>
    <message>
        <source>北向 Vn</source>
        <translation>North velocity</translation>
    </message>
    <message>
        <source>天向 Vu</source>
        <translation>Up velocity</translation>
    </message>
    <message>
        <source>GNSS 航向</source>
        <translation>GNSS heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>导航状态</source>
        <translation>Navigation state</translation>
    </message>
</context>
<context>
    <name>ChartsPage</name>
    <message>
        <source>滚动窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>采样频率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>需 ahrs / sins 姿态字段</source>
        <translation>Needs the ahrs / sins attitude fields</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>需 imu 层温度字段</source>
        <translation>Needs the imu layer's temperature field</translation>
    </message>
</context>
<context>
    <name>MessagePage</name>
    <message>
        <source>数据格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>等待协议</source>
        <translation>Waiting for protocol</translation>
    </message>
    <message numerus="yes">
        <source>%n 项</source>
        <translation>
            <numerusform>%n field</numerusform>
            <numerusform>%n fields</numerusform>
        </translation>
    </message>
    <message>
        <source>已选中文本，暂停刷新</source>
        <translation>Text selected, refresh paused</translation>
    </message>
    <message>
        <source>等待导航数据…</source>
        <translation>Waiting for navigation data…</translation>
    </message>
</context>
<context>
    <name>NoisePage</name>
    <message>
        <source>记录期间设备不是静止的，以下噪声指标没有意义：%1</source>
        <translation>The unit was not at rest during the recording; the noise figures below mean nothing: %1</translation>
    </message>
    <message>
        <source>记录中有中断，以下噪声指标按连续数据算出，并不可靠：%1</source>
        <translation>The recording has gaps; the noise figures below treat it as continuous and are not reliable: %1</translation>
    </message>
    <message>
        <source>选择记录</source>
        <translation>Choose recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>导出噪声分析 CSV</source>
        <translation>Export noise analysis CSV</translation>
    </message>
    <message>
        <source>噪声分析</source>
        <translation>Noise analysis</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录（.txt 消息记录或 .bin 原始数据）</source>
        <translation>Choose a recording made with the unit at rest (.txt message log or .bin raw data)</translation>
    </message>
    <message>
        <source>采样率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>重新分析</source>
        <translation>Analyse again</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>正在分析 %1…</source>
        <translation>Analysing %1…</translation>
    </message>
    <message>
        <source>采样率 %1 Hz</source>
        <translation>Sample rate %1 Hz</translation>
    </message>
    <message>
        <source>（由时间戳得出）</source>
        <translation> (from time stamps)</translation>
    </message>
    <message>
        <source>（指定）</source>
        <translation> (given)</translation>
    </message>
    <message>
        <source>（取自回放）</source>
        <translation> (from replay)</translation>
    </message>
    <message numerus="yes">
        <source>%n 个采样</source>
        <translation>
            <numerusform>%n sample</numerusform>
            <numerusform>%n samples</numerusform>
        </translation>
    </message>
    <message>
        <source>Allan 方差</source>
        <translation>Allan deviation</translation>
    </message>
    <message>
        <source>重叠 Allan 标准差 · 陀螺实线 °/h · 加计虚线 mg</source>
        <translation>Overlapping · gyros solid °/h · accels dashed mg</translation>
    </message>
    <message>
        <source>正在分析…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录，计算陀螺与加计的 Allan 方差</source>
        <translation>Choose a recording made with the unit at rest to compute the Allan deviation of the gyros and accelerometers</translation>
    </message>
    <message>
        <source>噪声指标</source>
        <translation>Noise figures</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>随机游走</source>
        <translation>Random walk</translation>
    </message>
    <message>
        <source>零偏不稳定性</source>
        <translation>Bias instability</translation>
    </message>
    <message>
        <source>最小处 τ</source>
        <translation>τ at min.</translation>
    </message>
    <message>
        <source>随机游走：白噪声区（斜率 −½）拟合直线在 τ = 1 s 处的读数；陀螺为角度随机游走 ARW，加计为速度随机游走 VRW。</source>
        <translation>Random walk: the line fitted to the white-noise region (slope −½), read at τ = 1 s; angle random walk (ARW) for the gyros, velocity random walk (VRW) for the accelerometers.</translation>
    </message>
    <message>
        <source>零偏不稳定性：曲线最小值 ÷ 0.664；“≤”表示曲线到最长 τ 仍在下降，需要更长的记录才能读准。</source>
        <translation>Bias instability: the curve's minimum ÷ 0.664; “≤” means the curve still falls at the longest τ, and a longer recording is needed to read it.</translation>
    </message>
</context>
<context>
    <name>RawPage</name>
    <message>
        <source>关闭导航输出 (stop com1)</source>
        <translation>Stop navigation output</translation>
    </message>
    <message>
        <source>打开导航输出 (start com1)</source>
        <translation>Start navigation output</translation>
    </message>
    <message>
        <source>读串口1 (get com1)</source>
        <translation>Read serial port 1</translation>
    </message>
    <message>
        <source>保存用户配置 (save config)</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>复位用户存储 (reset user flash)</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向校正 (correct heading)</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>读对准时间 (get align time)</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间 300s (set align time)</source>
        <translation>Set alignment time to 300 s</translation>
    </message>
    <message>
        <source>读导航位置 (get position)</source>
        <translation>Read navigation position</translation>
    </message>
    <message>
        <source>复位 Flash 信息 (reset flash info)</source>
        <translation>Reset flash information</translation>
    </message>
    <message>
        <source>已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex</source>
        <translation>Paused · text shows serial bytes (unprintable as .); use Hex for binary</translation>
    </message>
    <message>
        <source>实时 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex。高频下分段刷新以免卡住界面</source>
        <translation>Live · text shows serial bytes (unprintable as .); use Hex for binary. Refreshes in steps at high rates</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Hex 等待…</source>
        <translation>Waiting for data (hex)…</translation>
    </message>
    <message>
        <source>文本等待…</source>
        <translation>Waiting for data (text)…</translation>
    </message>
    <message>
        <source>预设指令</source>
        <translation>Preset commands</translation>
    </message>
    <message>
        <source>筛选</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>无匹配预设</source>
        <translation>No matching preset</translation>
    </message>
    <message>
        <source>Hex 发送</source>
        <translation>Send as hex</translation>
    </message>
    <message>
        <source>勾选：按十六进制发字节（如 AA 55）。#vorn 文本指令请勿勾选。</source>
        <translation>Checked: sends the bytes written in hex (e.g. AA 55). Leave it unchecked for #vorn text commands.</translation>
    </message>
    <message>
        <source>原始字符串</source>
        <translation>Raw text</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
</context>
<context>
    <name>RecordPage</name>
    <message>
        <source>选择记录文件</source>
        <translation>Choose recording file</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>记录目录</source>
        <translation>Recording folder</translation>
    </message>
    <message>
        <source>遥测 CSV</source>
        <translation>Telemetry CSV</translation>
    </message>
    <message>
        <source>数据记录</source>
        <translation>Data recording</translation>
    </message>
    <message>
        <source>磁盘写入中</source>
        <translation>Writing to disk</translation>
    </message>
    <message>
        <source>写入失败，记录已停止</source>
        <translation>Write failed, recording stopped</translation>
    </message>
    <message>
        <source>解析帧 + 串口原码双路落盘</source>
        <translation>Parsed frames and raw serial bytes, written side by side</translation>
    </message>
    <message>
        <source>待命</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>已写入的数据保留在文件中；请清理磁盘空间或换一个目录后重新开始。</source>
        <translation>The data already written stay in the files; free some disk space or choose another folder, then start again.</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>缓冲约 200 ms 落盘，停录后可查看文件</source>
        <translation>Saved about every 200 ms; open the files once stopped</translation>
    </message>
    <message>
        <source>■  停止并保存</source>
        <translation>■  Stop and save</translation>
    </message>
    <message>
        <source>▶  选择目录并开始</source>
        <translation>▶  Choose folder and start</translation>
    </message>
    <message>
        <source>点击开始后选择文件夹，无需提前手动建文件</source>
        <translation>Click start, then choose a folder; no need to create the files first</translation>
    </message>
    <message>
        <source>连接设备后即可开始记录</source>
        <translation>Connect the device to start recording</translation>
    </message>
    <message>
        <source>请先在右上角添加并连接设备</source>
        <translation>First add and connect a device at the top right</translation>
    </message>
    <message>
        <source>写入目录：%1</source>
        <translation>Writing to: %1</translation>
    </message>
    <message>
        <source>上次记录目录：%1</source>
        <translation>Last recording folder: %1</translation>
    </message>
    <message>
        <source>指定 CSV 路径…</source>
        <translation>Choose CSV path…</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Output files</translation>
    </message>
    <message>
        <source>解析文本</source>
        <translation>Parsed text</translation>
    </message>
    <message>
        <source>每行前加主机时间，后为 #vorn,imu/ahrs/sins,…*校验</source>
        <translation>Each line: host time, then #vorn,imu/ahrs/sins,…*checksum</translation>
    </message>
    <message>
        <source>遥测表</source>
        <translation>Telemetry table</translation>
    </message>
    <message>
        <source>Hub 快照字段，逗号分隔</source>
        <translation>Hub snapshot fields, comma-separated</translation>
    </message>
    <message>
        <source>串口原码</source>
        <translation>Raw serial bytes</translation>
    </message>
    <message>
        <source>与文本同主文件名，便于对照与离线解析</source>
        <translation>Same base name as the text file, for comparison and offline parsing</translation>
    </message>
    <message>
        <source>解析格式</source>
        <translation>Parsed format</translation>
    </message>
    <message>
        <source>记录模式</source>
        <translation>Recording mode</translation>
    </message>
    <message>
        <source>等待首帧…</source>
        <translation>Waiting for the first frame…</translation>
    </message>
    <message>
        <source>文件名前缀随格式变化</source>
        <translation>The file name prefix follows the format</translation>
    </message>
    <message>
        <source>收到导航数据后自动识别 imu / ahrs / sins 等</source>
        <translation>imu / ahrs / sins etc. are recognised once navigation data arrive</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>format</translation>
    </message>
    <message>
        <source>导出记录</source>
        <translation>Export recording</translation>
    </message>
    <message>
        <source>尚无记录：停止一次记录后可导出，或选择已有的记录文件</source>
        <translation>No recording yet: stop one to export it, or choose a file</translation>
    </message>
    <message>
        <source>选择记录文件…</source>
        <translation>Choose recording file…</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出 KML</source>
        <translation>Export KML</translation>
    </message>
    <message>
        <source>CSV 可在 Excel、MATLAB 中打开；KML 为 GNSS 轨迹，可在 Google Earth 中查看</source>
        <translation>CSV opens in Excel or MATLAB; KML is the GNSS track, for Google Earth</translation>
    </message>
    <message>
        <source>正在导出 %2 为 %1…</source>
        <extracomment>%1 is the format (CSV or KML), %2 the name of the recording</extracomment>
        <translation>Exporting %2 as %1…</translation>
    </message>
    <message>
        <source>记录期间请保持连接；停止后文件立即可在目录中打开。</source>
        <translation>Stay connected while recording; once stopped, the files can be opened in the folder at once.</translation>
    </message>
</context>
<context>
    <name>StatsPage</name>
    <message>
        <source>接收字节</source>
        <translation>Bytes received</translation>
    </message>
    <message>
        <source>发送字节</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <source>接收时长</source>
        <translation>Receive time</translation>
    </message>
    <message>
        <source>接收包</source>
        <translation>Packets received</translation>
    </message>
    <message>
        <source>错包 · 丢包率</source>
        <translation>Bad packets · loss rate</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>会话接收</source>
        <translation>Session RX</translation>
    </message>
    <message>
        <source>会话发送</source>
        <translation>Session TX</translation>
    </message>
    <message>
        <source>软件运行</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>二进制帧</source>
        <translation>Binary frames</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>文本语句</source>
        <translation>Text sentences</translation>
    </message>
    <message>
        <source>条</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>校验失败</source>
        <translation>Checksum failures</translation>
    </message>
    <message>
        <source>拒收文本行</source>
        <translation>Rejected text lines</translation>
    </message>
    <message>
        <source>行</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>跳过字节</source>
        <translation>Skipped bytes</translation>
    </message>
    <message>
        <source>丢帧</source>
        <translation>Lost frames</translation>
    </message>
    <message>
        <source>清零统计</source>
        <translation>Reset statistics</translation>
    </message>
    <message>
        <source>清零仅重置解析统计（字节/包/时长/错包），不断开连接。</source>
        <translation>Reset clears only the parsing statistics (bytes, packets, time, bad packets); the link stays connected.</translation>
    </message>
</context>
<context>
    <name>TrackPage</name>
    <message>
        <source>GNSS 轨迹</source>
        <translation>GNSS track</translation>
    </message>
    <message>
        <source>东 / 北向米制坐标 · 起点为首个定位点</source>
        <translation>East / north in metres · origin at the first fix</translation>
    </message>
    <message>
        <source>需 sins 导航层定位字段</source>
        <translation>Needs the sins navigation layer's position fields</translation>
    </message>
    <message>
        <source>清空轨迹</source>
        <translation>Clear track</translation>
    </message>
    <message>
        <source>清除已绘制的轨迹，以下一个定位点为新起点</source>
        <translation>Clears the track drawn so far; the next fix becomes the new origin</translation>
    </message>
    <message>
        <source>放大（也可滚动鼠标滚轮）</source>
        <translation>Zoom in (or use the mouse wheel)</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>全览</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>显示整条轨迹并随轨迹自动缩放（双击地图同效）</source>
        <translation>Fit all: show the whole track and keep zooming with it (or double-click the map)</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>地速</source>
        <translation>Ground speed</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>行驶里程</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>距起点</source>
        <translation>From origin</translation>
    </message>
    <message>
        <source>东西 × 南北</source>
        <translation>E–W × N–S</translation>
    </message>
    <message>
        <source>轨迹点</source>
        <translation>Track points</translation>
    </message>
    <message>
        <source>个</source>
        <translation>pts</translation>
    </message>
    <message>
        <source>当前位置</source>
        <translation>Current position</translation>
    </message>
    <message>
        <source>航迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>起点 %1°, %2°</source>
        <translation>Origin %1°, %2°</translation>
    </message>
    <message>
        <source>拖动平移 · 滚轮缩放 · 双击地图显示全程</source>
        <translation>Drag pans · wheel zooms · double-click fits</translation>
    </message>
</context>
<context>
    <name>UpgradePage</name>
    <message>
        <source>软件复位</source>
        <translation>Software reset</translation>
    </message>
    <message>
        <source>硬件复位</source>
        <translation>Hardware reset</translation>
    </message>
    <message>
        <source>115200 · 复位后 20 秒内进入升级模式</source>
        <translation>115200 · enters upgrade mode within 20 s of a reset</translation>
    </message>
    <message>
        <source>等待升级模式 %1s</source>
        <translation>Waiting for upgrade mode %1 s</translation>
    </message>
    <message>
        <source>传输中</source>
        <translation>Transferring</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>设备连接</source>
        <translation>Device connection</translation>
    </message>
    <message>
        <source>串口已连接</source>
        <translation>Serial port connected</translation>
    </message>
    <message>
        <source>尚未连接</source>
        <translation>Not connected yet</translation>
    </message>
    <message>
        <source>当前 115200，与升级模式一致</source>
        <translation>Now 115200, as upgrade mode needs</translation>
    </message>
    <message>
        <source>当前 %1，烧写前会重开为 115200</source>
        <translation>Now %1; reopened at 115200 before flashing</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>复位方式</source>
        <translation>Reset method</translation>
    </message>
    <message>
        <source>推荐</source>
        <translation>Recommended</translation>
    </message>
    <message>
        <source>固件文件</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>选择 .bin 固件</source>
        <translation>Choose a .bin firmware</translation>
    </message>
    <message>
        <source>更换</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>开始烧写</source>
        <translation>Start flashing</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>请立即手动断电再上电，或按设备复位键重启；倒计时内进入升级模式后将自动开始烧写。</source>
        <translation>Power the unit off and on now, or press its reset button; flashing starts by itself once it enters upgrade mode within the countdown.</translation>
    </message>
</context>
</TS>
